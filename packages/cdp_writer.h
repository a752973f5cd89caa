#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct CdpDraftItem {
    uint32_t mask = 0;
    uint16_t kind = 0;
    uint32_t address = 0;
    std::string description;
    std::vector<uint8_t> payload; // exactly what the kind carries
    // The header's size field. By default the length of a data block and 0
    // for other kinds; kind 21 carries its progress size here.
    std::optional<uint32_t> size;
};

struct CdpDraft {
    std::string version = "0001";
    std::string description;
    std::vector<CdpDraftItem> items; // in table order
};

// The payload of a value item: the 16-bit value, or its low byte for kind 22.
std::vector<uint8_t> CdpValuePayload(uint16_t kind, uint16_t value);

// The whole package: header, table, then the items one after another from
// offset 308 (or from the end of a longer table), with the CRC filled in.
// Nothing, and the reason in error, when a text is longer than its field,
// a payload does not fit its kind or the package outgrows the format.
std::optional<std::vector<uint8_t>> BuildCdp(const CdpDraft& draft, std::string& error);

// BuildCdp, then an atomic save: a failure leaves an old file intact.
bool WriteCdp(const std::string& path, const CdpDraft& draft, std::string& error);

// Pieces for writers with a fixed layout of their own (backups). Each writes
// its whole structure, reserved bytes as 0, into a buffer that must already
// hold it; texts longer than a field are cut.
void PutCdpHeader(std::span<uint8_t> file, std::string_view version, std::string_view description,
                  uint16_t count); // magic "QVT_", CRC 0
void PutCdpTableEntry(std::span<uint8_t> file, size_t index, uint32_t offset);
void PutCdpItemHeader(std::span<uint8_t> file, uint32_t offset, uint32_t mask, uint16_t kind, uint32_t size,
                      uint32_t address, std::string_view description);

// Sums the whole file with the CRC field as 0 and stores the sum there.
uint32_t PatchCdpCrc(std::span<uint8_t> file);

} // namespace qv
