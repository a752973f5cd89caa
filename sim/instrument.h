#pragma once

#include "instrument_options.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::sim {

// The instrument as the host sees it over the serial line: the binary
// command protocol, the DOT text protocol, its memory, protect flag, keys,
// restart and BIOS mode. Bytes go in one at a time with their arrival time;
// reply bytes come out in order.
class Instrument {
public:
    static constexpr uint32_t kMemorySize = 1u << 22; // 22-bit byte addresses

    explicit Instrument(InstrumentOptions options = {});

    // One byte from the host, arriving at timeUs; replies are appended to out.
    void receive(uint8_t byte, int64_t timeUs, std::vector<uint8_t>& out);

    const InstrumentOptions& options() const { return options_; }
    InstrumentOptions& options() { return options_; }

    // Memory access for tests and --dump.
    uint8_t peek(uint32_t address) const;
    std::vector<uint8_t> peek(uint32_t address, size_t count) const;
    void poke(uint32_t address, const std::vector<uint8_t>& bytes);
    const std::vector<uint8_t>& memory() const { return memory_; }

    bool protectFlag() const { return protectFlag_; }
    const std::vector<int>& keysPressed() const { return keys_; }
    int restartCount() const { return restarts_; }
    int blockReads() const { return blockReads_; }
    int blockWrites() const { return blockWrites_; }
    // Lines of DOT text received, without their terminators.
    const std::vector<std::string>& textLines() const { return textLines_; }
    bool bootingAt(int64_t timeUs) const { return timeUs < bootUntilUs_; }

private:
    // Implementation state: the helper that writes instrument.cpp owns it.
    InstrumentOptions options_;
    std::vector<uint8_t> memory_;
    bool protectFlag_ = false;
    std::vector<int> keys_;
    int restarts_ = 0;
    int blockReads_ = 0;
    int blockWrites_ = 0;
    std::vector<std::string> textLines_;
    int64_t bootUntilUs_ = 0;
};

} // namespace qv::sim
