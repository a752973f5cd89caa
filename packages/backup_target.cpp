#include "backup_target.h"

#include "backup_writer.h"
#include "platform/host/prompter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace qv {

namespace fs = std::filesystem;

namespace {

// Creates and removes a file of a name of its own in folder: the backup's
// temporary file will be made the same way. The reason when it cannot.
std::string CannotCreateIn(const fs::path& folder)
{
    const fs::path probe = folder / (".qv-backup-check-" + std::to_string(std::random_device{}()));
    std::FILE* file = std::fopen(probe.c_str(), "wbx");
    if (!file)
        return std::strerror(errno);
    std::fclose(file);
    std::error_code ignored;
    fs::remove(probe, ignored);
    return {};
}

} // namespace

BackupTarget CheckBackupTarget(const std::string& text, Prompter& prompter, Program program,
                               const std::string& confirmedName)
{
    BackupTarget target{false, text};
    const fs::path typed(text);
    const fs::path directory = typed.parent_path();
    const std::string file = WithCdpExtension(typed.filename().string());
    if (!text.empty())
        target.name = directory.empty() ? file : (directory / file).string();
    if (directory.empty()) {
        prompter.message(MessageKind::Warning, program == Program::Matrix
                                                   ? "Please specify a filename for the backup file."
                                                   : "Please enter a valid path and filename for the backup file.");
        return target;
    }
    if (!directory.is_absolute())
        return target;

    std::error_code error;
    const std::string folder = directory.string();
    if (!fs::exists(directory, error)) {
        if (!prompter.confirm("The directory '" + folder + "' does not exist.\rDo you wish to create it?",
                              Answer::No))
            return target;
        if (!fs::create_directories(directory, error) && !fs::is_directory(directory)) {
            prompter.error("The directory '" + folder + "' could not be created.\r" + error.message());
            return target;
        }
    }
    const fs::path path = directory / file;
    const bool exists = fs::exists(fs::symlink_status(path, error));
    const bool confirmed = program == Program::Matrix && path.string() == confirmedName;
    if (exists && !confirmed && !prompter.confirm("The File '" + file + "' already exists.\rDo you wish to replace it?",
                                    Answer::No))
        return target;
    const std::string reason = fs::is_directory(path, error) ? "It is a directory." : CannotCreateIn(directory);
    if (!reason.empty()) {
        if (exists)
            prompter.error("Could not replace the file '" + file +
                           "',\rthe file could be in use by another program.\rPlease select another file.");
        else
            prompter.error("The backup file '" + file + "' cannot be created in the directory '" + folder +
                           "'.\r" + reason + "\rPlease select another directory.");
        return target;
    }
    target.ok = true;
    return target;
}

} // namespace qv
