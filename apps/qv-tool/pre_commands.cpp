// qv-tool pre info|convert|upgrade: inspect, convert and upgrade preset
// (.PRE) and raw (.380) configuration files as the programs read them.
#include "commands.h"
#include "console_prompter.h"
#include "file_commands.h"

#include "config/config_file.h"
#include "config/image_layout.h"
#include "config/image_version.h"
#include "config/preset_file.h"
#include "link/identity_tables.h"
#include "platform/host/file_io.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace qvtool {

namespace {

const char* kPreUsage =
    "pre info FILE                    the identity trailer of a preset or raw file (key=value\n"
    "                                 lines); a file failing its checks prints valid=false\n"
    "                                 and exits 1\n"
    "pre convert IN OUT               write the image of IN as a preset file, or as a raw file\n"
    "                                 when OUT ends in .380\n"
    "pre upgrade IN OUT --to V        upgrade the image of IN to software V (5.00 or 5.10) and\n"
    "                                 write it to OUT as convert does; an image already at V\n"
    "                                 or later is refused, one at 5.00 gets only the 5.10 step";

// The reader's own message, or Open's when the reader has none (bad size).
std::string ReaderMessage(const ConsolePrompter& prompter)
{
    return prompter.lastError().empty() ? qv::kNotValidConfigurationText : prompter.lastError();
}

int PreInfo(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        return FileUsage("pre info needs FILE");
    const std::string& path = args[0];
    const qv::FileRead file = qv::ReadFileUpTo(path, qv::kPresetFileSize);
    if (file.status == qv::FileRead::Status::NotFound)
        return FileFail(qv::FileNotFoundText(path));
    if (file.status == qv::FileRead::Status::CannotOpen || file.status == qv::FileRead::Status::CannotRead)
        return FileFail("cannot read " + path + ": " + file.error);
    const qv::DecodedConfigFile decoded = qv::DecodeConfigFile(file.bytes);
    if (file.status == qv::FileRead::Status::TooLarge || decoded.kind == qv::ConfigFileKind::BadSize)
        return FileFail(qv::kNotValidConfigurationText);

    // A file failing its checks still shows what it claims; the exit status tells.
    const qv::IdentityTrailer& t = decoded.trailer;
    std::printf("valid=%s\nserial=%d\ntype=%d\ntypename=%s\nversion=%s\nextbios=%04X\nhwid=%04X\nchecksum=%08X\n",
                decoded.valid ? "true" : "false", int(t.serial), int(t.type),
                qv::TypeName(qv::Program::Update, int(t.type)).c_str(), qv::ImageVersionText(t.imageVersion()).c_str(),
                unsigned(t.extendedBiosVersion), unsigned(t.hardwareId), unsigned(t.checksum));
    std::fflush(stdout);
    if (!decoded.valid)
        return FileFail(qv::CrcErrorText(decoded.storedChecksum, decoded.computedChecksum));
    return kExitOk;
}

int Convert(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        return FileUsage("pre convert needs IN OUT");
    ConsolePrompter prompter;
    qv::ConfigImage image;
    if (!qv::LoadConfiguration(args[0], image, prompter))
        return FileFail(ReaderMessage(prompter));
    if (!qv::SaveConfiguration(args[1], image, prompter))
        return FileFail(prompter.lastError());
    return kExitOk;
}

int Upgrade(const std::vector<std::string>& args)
{
    std::vector<std::string> files;
    std::string target;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--to") {
            if (i + 1 == args.size())
                return FileUsage("--to needs 5.00 or 5.10");
            target = args[++i];
        } else if (args[i].starts_with("--")) {
            return FileUsage("pre upgrade takes IN OUT --to 5.00|5.10");
        } else {
            files.push_back(args[i]);
        }
    }
    const auto version = qv::ParseImageVersion(target);
    if (files.size() != 2 || !version || (*version != qv::kVersion500 && *version != qv::kVersion510))
        return FileUsage("pre upgrade needs IN OUT --to 5.00|5.10");

    ConsolePrompter prompter;
    qv::ConfigImage image;
    if (!qv::LoadConfiguration(files[0], image, prompter))
        return FileFail(ReaderMessage(prompter));
    // The 5.00 upgrade resets the extension blocks, colours, font and three
    // scales: never run it over an image that already has that layout.
    if (image.imageVersion() >= *version)
        return FileFail(files[0] + " is already at version " + qv::ImageVersionText(image.imageVersion()));
    if (image.imageVersion() < qv::kVersion500 && !image.upgradeTo500()) {
        std::string names;
        for (const auto& name : qv::UnusableDefaultTables(qv::EmbeddedDefaultTables()))
            names += (names.empty() ? "" : ", ") + name;
        return FileFail("the default tables are missing from this build: " + names);
    }
    if (*version == qv::kVersion510 && !image.upgradeTo510())
        return FileFail("the 5.10 upgrade did not apply");
    if (!qv::SaveConfiguration(files[1], image, prompter))
        return FileFail(prompter.lastError());
    return kExitOk;
}

int RunPre(const std::vector<std::string>& words)
{
    const std::vector<std::string> args(words.begin() + std::min<std::ptrdiff_t>(2, std::ptrdiff_t(words.size())),
                                        words.end());
    const std::string sub = words.size() >= 2 ? words[1] : "";
    if (sub == "info")
        return PreInfo(args);
    if (sub == "convert")
        return Convert(args);
    if (sub == "upgrade")
        return Upgrade(args);
    return FileUsage("pre needs info, convert or upgrade");
}

const FileCommandRegistration kPre{"pre", kPreUsage, RunPre};

} // namespace

} // namespace qvtool
