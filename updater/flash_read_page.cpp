#include "flash_read_page.h"

#include "flash_codec.h"
#include "input_recognition.h"
#include "update_command_line.h"

#include <cstdio>

namespace qv {

namespace {

std::string AddressError(int flashSectors)
{
    return "Illegal Flash Address.\rThe Flash Address must be between 0 and " +
           std::to_string(int64_t(flashSectors) * int64_t(flash::kSectorBytes) - 1) + ".";
}

std::string CountError(int64_t largest)
{
    return "Illegal Sector Count.\rThe sector count must be between 1 and " + std::to_string(largest) + ".";
}

} // namespace

std::string SectorExtension(uint32_t sector)
{
    char text[16];
    std::snprintf(text, sizeof text, ".%03X", unsigned(sector));
    return text;
}

FlashReadCheck CheckFlashRead(const FlashReadFields& fields, int flashSectors, bool keepName)
{
    FlashReadCheck check;
    check.file = fields.file;
    const int64_t flashBytes = int64_t(flashSectors) * int64_t(flash::kSectorBytes);
    const auto address = ParseIntegerWord(fields.address);
    if (!address || *address < 0 || *address >= flashBytes) {
        check.error = AddressError(flashSectors);
        return check;
    }
    const uint32_t sector = uint32_t(*address) / flash::kSectorBytes;
    check.address = sector * flash::kSectorBytes;

    const std::string extension = SectorExtension(sector);
    if (!keepName && !EndsWithNoCase(check.file, extension))
        check.file += extension;

    // Past the last sector there is no flash to read.
    const int64_t left = int64_t(flashSectors) - int64_t(sector);
    const auto count = ParseIntegerWord(fields.sectorCount);
    if (!count || *count < 1 || *count > left) {
        check.error = CountError(left);
        return check;
    }
    check.sectors = size_t(*count);
    if (fields.file.empty())
        check.error = "Please specify a destination file.";
    return check;
}

} // namespace qv
