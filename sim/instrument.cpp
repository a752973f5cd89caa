#include "instrument.h"
namespace qv::sim {
Instrument::Instrument(InstrumentOptions options) : options_(options), memory_(kMemorySize, 0xFF) {}
void Instrument::receive(uint8_t, int64_t, std::vector<uint8_t>&) {}
uint8_t Instrument::peek(uint32_t a) const { return memory_[a % kMemorySize]; }
std::vector<uint8_t> Instrument::peek(uint32_t, size_t) const { return {}; }
void Instrument::poke(uint32_t, const std::vector<uint8_t>&) {}
}
