#include "packages/backup_target.h"
#include "platform/host/scripted_prompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace qv {
namespace {

using Texts = std::vector<std::string>;

struct TargetBench {
    TargetBench() { fs::create_directories(folder); }
    ~TargetBench() { fs::remove_all(folder); }
    BackupTarget check(const std::string& text) { return CheckBackupTarget(text, prompter); }

    const fs::path folder = fs::temp_directory_path() / ("qv-target-" + std::to_string(std::random_device{}()));
    ScriptedPrompter prompter;
};

TEST(CheckBackupTarget, NamesThatGoNoFurther)
{
    struct Case {
        std::string text;
        std::string name;
        Texts shown;
    } cases[] = {
        {"", "", {"Please enter a valid path and filename for the backup file."}},
        {"old", "old.CDP", {"Please enter a valid path and filename for the backup file."}},
        // Not a full path: refused without a word.
        {"backups/old.cdp", "backups/old.cdp", {}},
    };
    for (const auto& c : cases) {
        TargetBench b;
        const BackupTarget target = b.check(c.text);
        EXPECT_FALSE(target.ok) << c.text;
        EXPECT_EQ(target.name, c.name) << c.text;
        EXPECT_EQ(b.prompter.texts(), c.shown) << c.text;
    }
}

TEST(CheckBackupTarget, MissingFolderIsCreatedOnRequest)
{
    for (Answer answer : {Answer::No, Answer::Yes}) {
        TargetBench b;
        const fs::path folder = b.folder / "a" / "b";
        b.prompter.queueAnswer(answer);
        const BackupTarget target = b.check((folder / "old").string());
        EXPECT_EQ(target.ok, answer == Answer::Yes);
        EXPECT_EQ(target.name, (folder / "old.CDP").string());
        EXPECT_EQ(b.prompter.texts(),
                  Texts{"The directory '" + folder.string() + "' does not exist.\rDo you wish to create it?"});
        EXPECT_EQ(fs::is_directory(folder), answer == Answer::Yes);
    }
}

// The old backup stays until the new one has been written in full.
TEST(CheckBackupTarget, AnExistingFileIsReplacedLater)
{
    for (Answer answer : {Answer::No, Answer::Yes}) {
        TargetBench b;
        const fs::path file = b.folder / "old.CDP";
        std::ofstream(file) << "old backup";
        b.prompter.queueAnswer(answer);
        EXPECT_EQ(b.check(file.string()).ok, answer == Answer::Yes);
        EXPECT_EQ(b.prompter.texts(), Texts{"The File 'old.CDP' already exists.\rDo you wish to replace it?"});
        EXPECT_TRUE(fs::exists(file));
    }
}

TEST(CheckBackupTarget, AFolderThatTakesNoFile)
{
    TargetBench b;
    // Nobody creates files in /proc, not even the administrator.
    const BackupTarget target = b.check("/proc/old");
    EXPECT_FALSE(target.ok);
    ASSERT_EQ(b.prompter.texts().size(), 1u);
    EXPECT_TRUE(b.prompter.texts()[0].starts_with("The backup file 'old.CDP' cannot be created in the directory "
                                                  "'/proc'.\r"))
        << b.prompter.texts()[0];

    TargetBench directory;
    fs::create_directories(directory.folder / "old.CDP");
    directory.prompter.queueAnswer(Answer::Yes);
    EXPECT_FALSE(directory.check((directory.folder / "old.CDP").string()).ok);
    EXPECT_EQ(directory.prompter.texts().back(),
              "Could not replace the file 'old.CDP',\rthe file could be in use by another program.\rPlease select "
              "another file.");
}

} // namespace
} // namespace qv
