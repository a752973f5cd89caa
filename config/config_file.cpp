#include "config_file.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>

namespace qv {

uint32_t PresetFileChecksum(std::span<const uint8_t, kPresetFileSize> file)
{
    const size_t field = kImageSize + kTrailerChecksumOffset;
    const uint8_t zeros[4] = {};
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, file.data(), uInt(field));
    crc = crc32(crc, zeros, sizeof zeros);
    crc = crc32(crc, file.data() + field + 4, uInt(kPresetFileSize - field - 4));
    return uint32_t(crc);
}

DecodedConfigFile DecodeConfigFile(std::span<const uint8_t> file)
{
    DecodedConfigFile decoded;
    if (file.size() != kRawFileSize && file.size() != kPresetFileSize)
        return decoded;
    std::copy_n(file.begin(), kImageSize, decoded.image.begin());
    if (file.size() == kRawFileSize) {
        decoded.kind = ConfigFileKind::Raw;
        decoded.trailer.clearOrigin();
        decoded.valid = true;
        return decoded;
    }
    decoded.kind = ConfigFileKind::Preset;
    decoded.trailer = IdentityTrailer::decode(file.subspan<kImageSize, IdentityTrailer::kSize>());
    decoded.storedChecksum = decoded.trailer.checksum;
    decoded.computedChecksum = PresetFileChecksum(file.first<kPresetFileSize>());
    decoded.trailer.checksum = decoded.computedChecksum;
    decoded.valid = decoded.trailer.markersValid() && decoded.storedChecksum == decoded.computedChecksum;
    return decoded;
}

std::vector<uint8_t> EncodePresetFile(const ConfigImage::Bytes& image, const IdentityTrailer& trailer)
{
    IdentityTrailer unsummed = trailer;
    unsummed.checksum = 0;
    std::vector<uint8_t> file(image.begin(), image.end());
    const auto tail = unsummed.encode();
    file.insert(file.end(), tail.begin(), tail.end());

    unsummed.checksum = PresetFileChecksum(std::span<const uint8_t, kPresetFileSize>(file.data(), kPresetFileSize));
    const auto summed = unsummed.encode();
    std::copy(summed.begin(), summed.end(), file.begin() + kImageSize);
    return file;
}

bool IsRawFileName(std::string_view path)
{
    constexpr std::string_view kRawExtension = ".380";
    return path.size() >= kRawExtension.size() && path.substr(path.size() - kRawExtension.size()) == kRawExtension;
}

std::string CrcErrorText(uint32_t stored, uint32_t computed)
{
    char text[40];
    std::snprintf(text, sizeof text, "CRC Error. %08X %08X", unsigned(stored), unsigned(computed));
    return text;
}

} // namespace qv
