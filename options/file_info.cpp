#include "file_info.h"

#include "config/image_version.h"
#include "link/identity_tables.h"
#include "link/value_text.h"

#include <charconv>

namespace qv {

namespace {

constexpr int32_t kLargestSerial = 65535;

} // namespace

std::vector<std::pair<std::string, std::string>> FileInfoRows(const IdentityTrailer& trailer)
{
    return {
        {"Serial:", std::to_string(trailer.serial)},
        {"RVT Type:", TypeName(Program::Matrix, trailer.type)},
        {"Software Version:", ImageVersionText(trailer.imageVersion())},
        {"Extended Bios Version:", HexText(trailer.extendedBiosVersion, 4)},
        {"Hardware ID:", HexText(trailer.hardwareId, 4)},
        {"Checksum:", HexText(trailer.checksum, 8)},
    };
}

std::optional<int32_t> ParseSerialEntry(const std::string& text)
{
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [last, ec] = std::from_chars(text.data(), end, value);
    // Serial numbers are 16-bit; a negative one has no meaning.
    if (ec != std::errc() || last != end || value < 0 || value > kLargestSerial)
        return std::nullopt;
    return value;
}

bool ChangeFileInfo(IdentityTrailer& trailer, FileInfoRow row, const std::string& text)
{
    if (row == FileInfoRow::Serial) {
        const std::optional<int32_t> serial = ParseSerialEntry(text);
        if (serial)
            trailer.serial = *serial;
        return serial.has_value();
    }
    if (row == FileInfoRow::SoftwareVersion) {
        const std::optional<uint16_t> version = ParseImageVersion(text);
        if (version)
            trailer.version = (trailer.version & 0xFFFF0000u) | *version;
        return version.has_value();
    }
    return false;
}

} // namespace qv
