#pragma once

#include "config_image.h"
#include "identity_trailer.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The two file forms of an image: the raw file (.380) is the image alone,
// the preset file (.PRE) adds the identity trailer with a CRC-32.
inline constexpr size_t kRawFileSize = kImageSize;
inline constexpr size_t kPresetFileSize = kImageSize + IdentityTrailer::kSize;

enum class ConfigFileKind { Raw, Preset, BadSize };

struct DecodedConfigFile {
    ConfigFileKind kind = ConfigFileKind::BadSize;
    ConfigImage::Bytes image{};
    // A preset file's trailer with the recomputed checksum in it; a raw
    // file's is all origin fields zero.
    IdentityTrailer trailer;
    uint32_t storedChecksum = 0;
    uint32_t computedChecksum = 0;
    // Raw: always. Preset: both markers right and the checksum matching.
    bool valid = false;
};

DecodedConfigFile DecodeConfigFile(std::span<const uint8_t> file);

// CRC-32 over the whole preset file with the checksum field taken as zero.
uint32_t PresetFileChecksum(std::span<const uint8_t, kPresetFileSize> file);

// The preset file of an image and trailer, its checksum field filled in.
std::vector<uint8_t> EncodePresetFile(const ConfigImage::Bytes& image, const IdentityTrailer& trailer);

// A name ending in ".380" (any case) is saved as a raw file.
bool IsRawFileName(std::string_view path);

// "CRC Error. " with the stored and the recomputed checksum.
std::string CrcErrorText(uint32_t stored, uint32_t computed);

} // namespace qv
