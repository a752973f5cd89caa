#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {

// The fields of the page "Read Mainboard Flash." as typed.
struct FlashReadFields {
    std::string file;        // txtFlashFile
    std::string address;     // txtFlashAddr: decimal, or hexadecimal after "$"
    std::string sectorCount; // txtFlashSectorCount
};

// The outcome of checking the fields against the instrument's flash.
struct FlashReadCheck {
    // The message to show; "" when the read can go ahead.
    std::string error;
    // The file field afterwards: once the address is good, the start
    // sector's extension is appended where the name does not end with it.
    std::string file;
    // The start sector's byte address: a read always starts at a sector, so
    // that the file holds what its extension names.
    uint32_t address = 0;
    size_t sectors = 0;
};

// Checks the fields for a flash of flashSectors sectors of 128 bytes. The
// range must lie within the flash, not only its start and its length.
// keepName leaves the file name as it is (the command line's default file).
FlashReadCheck CheckFlashRead(const FlashReadFields& fields, int flashSectors, bool keepName = false);

// "." and the sector as three hexadecimal digits: ".380".
std::string SectorExtension(uint32_t sector);

} // namespace qv
