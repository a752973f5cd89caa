#include "fake_main_view.h"
#include "matrix/config_document.h"
#include "platform/host/scripted_prompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct DocumentBench {
    DocumentBench()
    {
        fs::create_directories(folder);
        image.setPresetName(0, "Studio A");
        image.setImageVersion(0x0510);
        image.setModified(false);
        document.setHasImage(true);
    }
    ~DocumentBench() { fs::remove_all(folder); }

    std::string path(const char* name) const { return (folder / name).string(); }
    std::string bytes(const std::string& file) const
    {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path folder = fs::temp_directory_path() /
                      ("qv-doc-" + std::to_string(getpid()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    qv::ConfigImage image;
    FakeMainView view;
    qv::ScriptedPrompter prompter;
    qv::ConfigDocument document{image, view, prompter};
};

} // namespace

TEST(ConfigDocument, SaveAsNameByFilter)
{
    struct Case {
        const char* typed;
        int filter;
        const char* saved;
    } cases[] = {{"setup", 1, "setup.PRE"}, {"setup.pre", 1, "setup.pre"}, {"setup", 2, "setup.380"},
                 {"setup.380", 2, "setup.380"}, {"setup.txt", 3, "setup.txt"}};
    for (const auto& c : cases)
        EXPECT_EQ(qv::SaveAsName(c.typed, c.filter), c.saved) << c.typed << " " << c.filter;
}

TEST(ConfigDocument, SaveAsThenSaveIsByteIdenticalAndReopens)
{
    DocumentBench b;
    b.image.setModified(true);
    b.prompter.queueText(b.path("studio"));
    ASSERT_TRUE(b.document.SaveAs());
    const std::string saved = b.path("studio.PRE");
    EXPECT_EQ(b.document.saveName(), saved);
    EXPECT_FALSE(b.image.modified());
    EXPECT_EQ(b.view.recent, std::vector<std::string>{saved});
    const std::string first = b.bytes(saved);
    EXPECT_EQ(first.size(), 16416u);

    b.image.setModified(true);
    ASSERT_TRUE(b.document.Save());
    EXPECT_EQ(b.bytes(saved), first);

    qv::ConfigImage other;
    FakeMainView otherView;
    qv::ConfigDocument reopened(other, otherView, b.prompter);
    ASSERT_TRUE(reopened.Open(saved));
    EXPECT_EQ(other.bytes(), b.image.bytes());
    EXPECT_TRUE(reopened.saveName().empty()) << "Save after Open asks for a name";
    EXPECT_EQ(otherView.field(qv::MainField::File), saved);
}

TEST(ConfigDocument, ReplacingAnExistingFileAsksFirst)
{
    DocumentBench b;
    std::ofstream(b.path("old.PRE")) << "keep me";
    b.prompter.queueText(b.path("old.PRE"));
    b.prompter.queueAnswer(qv::Answer::No);
    EXPECT_FALSE(b.document.SaveAs());
    EXPECT_EQ(b.prompter.shown().back().text, "The file " + b.path("old.PRE") + " allready exists.\r\rDo you wish to replace it?");
    EXPECT_EQ(b.bytes(b.path("old.PRE")), "keep me");
}

TEST(ConfigDocument, ReplacementGuardAnswers)
{
    struct Case {
        qv::Answer answer;
        bool proceeds;
        bool saved;
    } cases[] = {{qv::Answer::Yes, true, true}, {qv::Answer::No, true, false}, {qv::Answer::Cancel, false, false}};
    for (const auto& c : cases) {
        DocumentBench b;
        b.image.setModified(true);
        b.prompter.queueAnswer(c.answer);
        b.prompter.queueText(b.path("guard"));
        EXPECT_EQ(b.document.ReplacementGuard(), c.proceeds);
        EXPECT_EQ(b.prompter.shown().front().text, "Do you wish to save the changes?");
        EXPECT_EQ(fs::exists(b.path("guard.PRE")), c.saved);
    }

    DocumentBench remote;
    remote.document.releaseRemoteControl = [] { return false; };
    remote.image.setModified(true);
    EXPECT_FALSE(remote.document.ReplacementGuard());
    EXPECT_TRUE(remote.prompter.shown().empty()) << "refusing to disconnect ends it before the save question";
}

TEST(ConfigDocument, FailedOpenKeepsTheImageAndSaysSo)
{
    DocumentBench b;
    std::ofstream(b.path("short.PRE")) << "not a configuration";
    const auto before = b.image.bytes();
    EXPECT_FALSE(b.document.Open(b.path("short.PRE")));
    EXPECT_EQ(b.prompter.texts(), std::vector<std::string>{"This is not a valid configuration-file!"});
    EXPECT_EQ(b.image.bytes(), before);
    EXPECT_TRUE(b.view.recent.empty());
}
