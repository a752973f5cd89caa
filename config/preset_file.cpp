#include "preset_file.h"

#include "config_file.h"
#include "image_version.h"

#include "platform/host/file_io.h"
#include "platform/host/text_case.h"

#include <algorithm>
#include <cctype>

namespace qv {

namespace {

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

void AskVersionOverride(ConfigImage& image, Prompter& prompter, const VersionOverride& versionOverride)
{
    if (!versionOverride.enabled || versionOverride.version == 0)
        return;
    const std::string question = "Do you wish to override the the current fileversion: " +
                                 ImageVersionText(image.imageVersion()) + " with " +
                                 ImageVersionText(versionOverride.version) + "?";
    if (prompter.confirm(question))
        image.setImageVersion(versionOverride.version);
}

} // namespace

VersionOverride VersionOverrideFromArguments(const std::vector<std::string>& arguments)
{
    VersionOverride result;
    if (arguments.empty() || Upper(arguments[0]) != "/A")
        return result;
    result.enabled = true;
    // Characters 3 to 7 of "/O..." hold the version; a bad text leaves 0.
    if (arguments.size() > 1 && arguments[1].rfind("/O", 0) == 0 && arguments[1].size() > 2)
        if (const auto version = ParseImageVersion(std::string_view(arguments[1]).substr(2, 5)))
            result.version = *version;
    return result;
}

std::string FileNotFoundText(const std::string& path)
{
    return "The file " + (path.empty() ? std::string() : Quoted(path)) + " was not found.";
}

bool LoadConfiguration(const std::string& path, ConfigImage& image, Prompter& prompter,
                       const VersionOverride& versionOverride)
{
    const FileRead file = ReadFileUpTo(path, kPresetFileSize);
    switch (file.status) {
    case FileRead::Status::NotFound:
        prompter.error(FileNotFoundText(path));
        return false;
    case FileRead::Status::CannotOpen:
    case FileRead::Status::CannotRead:
        prompter.error("Cannot open file " + Quoted(path) + ". " + file.error);
        return false;
    case FileRead::Status::TooLarge:
        return false;
    case FileRead::Status::Ok:
        break;
    }

    const DecodedConfigFile decoded = DecodeConfigFile(file.bytes);
    if (decoded.kind == ConfigFileKind::BadSize)
        return false;
    if (!decoded.valid) {
        // The image in memory is left as it was: a file that fails its
        // check must not half-replace the configuration being edited.
        prompter.error(CrcErrorText(decoded.storedChecksum, decoded.computedChecksum));
        return false;
    }

    IdentityTrailer trailer = decoded.trailer;
    if (decoded.kind == ConfigFileKind::Raw) {
        // A raw file has no trailer: the markers in memory stay.
        trailer = image.trailer();
        trailer.clearOrigin();
    }
    image.replace(decoded.image, trailer);
    AskVersionOverride(image, prompter, versionOverride);
    return true;
}

bool SaveConfiguration(const std::string& path, ConfigImage& image, Prompter& prompter)
{
    const bool raw = IsRawFileName(path);
    std::vector<uint8_t> file;
    if (raw)
        file.assign(image.bytes().begin(), image.bytes().end());
    else
        file = EncodePresetFile(image.bytes(), image.trailer());

    std::string error;
    if (!WriteFileAtomically(path, file, error)) {
        prompter.error("Cannot create file " + Quoted(path) + ". " + error);
        return false;
    }
    if (raw)
        image.trailer().clearOrigin();
    else
        image.trailer().checksum = PresetFileChecksum(std::span<const uint8_t, kPresetFileSize>(file.data(), file.size()));
    return true;
}

} // namespace qv
