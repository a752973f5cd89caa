// Preset (.PRE) and raw (.380) files: the decoder over any bytes, and the
// loader over whole files built around the input, half of them with a CRC
// that fits so that their trailers get past the check.
#include "config/config_file.h"
#include "config/preset_file.h"
#include "fuzz/fuzz_input.h"
#include "platform/host/scripted_prompter.h"

#include <algorithm>

using namespace qv;
using qv::fuzz::Expect;

namespace {

void Load(const std::vector<uint8_t>& file, const VersionOverride& versionOverride, bool confirm)
{
    const DecodedConfigFile decoded = DecodeConfigFile(file);
    if (decoded.kind == ConfigFileKind::Preset && decoded.valid)
        Expect(EncodePresetFile(decoded.image, decoded.trailer) == file, "a valid preset file encodes as read");

    ConfigImage image;
    image.setByte(0, 0x5A);
    image.setModified(true);
    const ConfigImage before = image;
    ScriptedPrompter prompter;
    prompter.queueAnswer(confirm ? Answer::Yes : Answer::No);
    const bool loaded = LoadConfiguration(qv::fuzz::ScratchFile("preset.pre", file), image, prompter, versionOverride);
    if (!loaded) {
        Expect(image.bytes() == before.bytes() && image.trailer() == before.trailer() && image.modified(),
               "a refused file leaves the image as it was");
        return;
    }
    Expect(decoded.valid && image.bytes() == decoded.image && !image.modified() && image.selectedPreset() == 0,
           "a loaded file replaces the image");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    const uint8_t mode = input.byte();
    std::vector<std::string> arguments{input.line(), input.line()};
    const VersionOverride versionOverride = VersionOverrideFromArguments(arguments);
    const auto rest = input.rest();

    DecodeConfigFile(rest);

    // The input's tail is the end of the file: the trailer and the image before it.
    std::vector<uint8_t> file(mode & 1 ? kPresetFileSize : kRawFileSize, 0);
    const size_t n = std::min(rest.size(), file.size());
    std::copy(rest.end() - long(n), rest.end(), file.end() - long(n));
    if ((mode & 3) == 3) {
        const uint32_t crc = PresetFileChecksum(std::span<const uint8_t, kPresetFileSize>(file.data(), file.size()));
        for (size_t i = 0; i < 4; ++i)
            file[kImageSize + kTrailerChecksumOffset + i] = uint8_t(crc >> (8 * i));
    }
    Load(file, versionOverride, mode & 4);
    return 0;
}
