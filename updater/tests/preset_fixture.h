#pragma once

#include "config/config_image.h"
#include "config/config_file.h"

#include <array>
#include <cstdint>
#include <vector>

// A configuration as QV-Matrix saves it from a known instrument: every byte
// set, named presets and scales, the German scale offset.
inline qv::ConfigImage FixtureConfiguration(uint16_t version = 0x0530)
{
    qv::ConfigImage::Bytes bytes;
    for (size_t k = 0; k < bytes.size(); ++k)
        bytes[k] = uint8_t(k * 11 + 7);
    qv::IdentityTrailer trailer;
    trailer.serial = 54321;
    trailer.type = 5;
    trailer.version = version;
    trailer.extendedBiosVersion = 0x0203;
    trailer.hardwareId = 0x00A1;
    qv::ConfigImage image;
    image.replace(bytes, trailer);
    const std::array<const char*, qv::kPresetCount> presets = {
        "Studio 1", "Studio 2", "OB Van", "Edit Suite", "Dubbing", "News", "Sport", "Music", "Drama", "Test", "Spare"};
    for (int p = 0; p < qv::kPresetCount; ++p)
        image.setPresetName(p, presets[size_t(p)]);
    const std::array<const char*, 7> scales = {"PPM1", "PPM2", "DIN", "Nord", "VU", "Dig", "Leq"};
    for (int key = 0; key < 7; ++key)
        image.writeText(qv::ScaleSlotOffset(key), scales[size_t(key)], 2);
    image.setWord(qv::OffsetStandardAdr, 0x1E1E);
    return image;
}

// The preset file of a configuration, its checksum filled in.
inline std::vector<uint8_t> PresetFileBytes(const qv::ConfigImage& image)
{
    return qv::EncodePresetFile(image.bytes(), image.trailer());
}
