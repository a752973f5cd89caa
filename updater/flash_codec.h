#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The fast mainboard flash transfers of the I/O-interface module: the
// command bytes, the headers that follow the start reply, the blocks and
// their checksums, and the result codes the transfers end with.
namespace qv::flash {

inline constexpr std::string_view kReadCommand = "@ATRDFlash\r";
inline constexpr std::string_view kWriteCommand = "@ATWRFlash\r";

// The module's "go on": start accepted, next block please. The host sends
// it too, to accept a read block.
inline constexpr uint8_t kNext = '2';
// Checksum wrong: the block comes (or goes) again.
inline constexpr uint8_t kSendAgain = 0xF0;
inline constexpr uint8_t kWriteHeaderMark = '1';

inline constexpr size_t kSectorBytes = 128;
// A read block: 128 bytes and their checksum.
inline constexpr size_t kReadBlockBytes = kSectorBytes + 1;
// A write block's payload; the checksum byte goes before it.
inline constexpr size_t kWritePayload = 1280;
// The bytes of the last write block past the image: erased flash.
inline constexpr uint8_t kPadding = 0xFF;

// Result codes of the fast transfers.
inline constexpr int kDone = 27;
inline constexpr int kNoReply = 32;          // a block went unanswered
inline constexpr int kChecksumError = 240;   // a block stayed damaged
inline constexpr int kNotSupported = 241;    // RUN-code ID not 3, or no "2" to the start
inline constexpr int kNotRunMode = 242;      // the module does not run its RUN code
inline constexpr int kFileNotFound = 243;    // the DSP file is missing
inline constexpr int kSectorOutOfRange = 244; // a sector number or count past 16 bits
inline constexpr int kNoEnd = 255;           // nothing came after the last block

inline constexpr uint8_t kRunIdWithFlash = 3;

// Sector and count as the header carries them; nothing when either does not
// fit 16 bits.
struct SectorRange {
    uint16_t sector = 0;
    uint16_t count = 0;
};
std::optional<SectorRange> FitSectors(uint32_t address, size_t sectors);

// Sectors an image of `bytes` covers: its last part sector counts whole.
size_t SectorsFor(size_t bytes);

// "2", sector, count, high bytes first.
std::string ReadHeader(SectorRange range);
// "1", sector, count, then the block payload 1280, high bytes first.
std::string WriteHeader(SectorRange range);

// The block capacity of the write's start reply ("2", high, low); 0 when
// the reply is shorter.
unsigned BlockCapacity(std::string_view startReply);
// Write blocks for an image, for the progress bar: image size over the
// payload the capacity allows (capacity minus the checksum byte), rounded
// up. A capacity of 0 or 1 counts with kWritePayload.
size_t WriteBlocksFor(size_t imageBytes, unsigned capacity);

// Block `index` of the image, kWritePayload bytes, padded past the image's end.
std::vector<uint8_t> WriteBlock(const std::vector<uint8_t>& image, size_t index);

// A read block's 128 data bytes match the checksum byte after them.
bool ReadBlockIntact(std::string_view block);

} // namespace qv::flash
