#include "scale/scale_editor.h"

#include "platform/host/scripted_prompter.h"
#include "scale_file_test.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using qv::Answer;

TEST(ScaleEditorTexts, ListEntriesAndSlotAddresses)
{
    EXPECT_EQ(qv::ScaleListEntry(7), "Scale #7 - ");
    qv::ScaleRecord record;
    record.setShortName("AB");
    EXPECT_EQ(qv::ScaleListEntry(20, record), "Scale #20 - AB");

    const std::pair<int, uint32_t> slots[] = {{0, 0x1C500}, {1, 0x1C600}, {2, 0x1C700}, {3, 0x1C800},
                                              {4, 0x1C900}, {5, 0x1CA00}, {6, 0x1CB00}, {7, 0x1CC00},
                                              {8, 0x1DA00}, {9, 0x1DB00}};
    for (auto [key, address] : slots)
        EXPECT_EQ(qv::ScaleSlotAddress(key), address) << key;
    for (int key : {-1, 10, 255})
        EXPECT_FALSE(qv::ScaleSlotAddress(key)) << key;
}

TEST(ScaleEditorTexts, NoteLinesBetweenFileAndMemo)
{
    const struct {
        std::string note;
        std::string memo;
    } cases[] = {
        {"", ""},
        {"one", "one"},
        {"one\r\ntwo\r\n", "one\ntwo\n"},
        {"\r\n\r\n", "\n\n"},
        {std::string(300, 'x'), std::string(300, 'x')}, // a long line stays one line
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qv::NoteAsMemoText(c.note), c.memo) << c.note;
        EXPECT_EQ(qv::MemoTextAsNote(c.memo), c.note) << c.memo;
    }
    // A bare line feed shows as a line break and comes back as CR LF.
    EXPECT_EQ(qv::NoteAsMemoText("a\nb"), "a\nb");
    EXPECT_EQ(qv::MemoTextAsNote("a\nb"), "a\r\nb");
}

class ScaleEditorFiles : public qv::test::ScaleFileTest {
protected:
    void SetUp() override
    {
        ScaleFileTest::SetUp();
        start.scales[0].setShortName("STRT");
    }

    // A library whose first scale is named, as its file holds it.
    static std::vector<uint8_t> library(const char* name)
    {
        qv::ScaleLibrary lib;
        lib.scales[0].setShortName(name);
        return qv::ScaleLibraryBytes(lib);
    }

    qv::ScriptedPrompter prompter;
    qv::ScaleLibrary start;
};

TEST_F(ScaleEditorFiles, OnlyALibraryOfTheRightSizeIsOpened)
{
    qv::ScaleEditor editor(prompter, start);
    const std::string good = write("good.dat", library("GOOD"));
    prompter.queueText(good);
    ASSERT_TRUE(editor.Open());
    EXPECT_EQ(editor.fileName(), good);
    EXPECT_EQ(editor.library().scales[0].shortName.text(), "GOOD");
    editor.setChanged();

    for (size_t size : {qv::kScaleLibrarySize - 1, qv::kScaleLibrarySize + 1}) {
        SCOPED_TRACE(size);
        prompter.clearShown();
        const std::string bad = write("bad.dat", std::vector<uint8_t>(size, 0));
        prompter.queueText(bad);
        EXPECT_FALSE(editor.Open());
        EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Open Scale File", "The file " + bad +
                                                                                     " is NOT a valid Scale Library"}));
        EXPECT_EQ(prompter.shown().back().kind, qv::MessageKind::Error);
        EXPECT_EQ(editor.fileName(), good);
        EXPECT_EQ(editor.library().scales[0].shortName.text(), "GOOD");
        EXPECT_TRUE(editor.changed());
    }

    prompter.clearShown();
    EXPECT_FALSE(editor.Load((folder / "missing.dat").string()));
    ASSERT_EQ(prompter.texts().size(), 1u);
    EXPECT_EQ(prompter.texts()[0].rfind("Cannot open file " + (folder / "missing.dat").string() + ": ", 0), 0u);
    EXPECT_EQ(editor.fileName(), good);

    prompter.clearShown();
    EXPECT_FALSE(editor.Open()) << "the dialog cancelled";
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Open Scale File"});
}

TEST_F(ScaleEditorFiles, SaveWithoutAFileAsksForOneAndNamesItDat)
{
    qv::ScaleEditor editor(prompter, start);
    editor.setChanged();
    EXPECT_FALSE(editor.Save()) << "the Save As dialog cancelled";
    EXPECT_TRUE(editor.changed());
    EXPECT_EQ(editor.fileName(), "");

    const std::string chosen = (folder / "mine.lib").string();
    prompter.queueText(chosen);
    ASSERT_TRUE(editor.Save());
    const std::string saved = (folder / "mine.dat").string();
    EXPECT_EQ(editor.fileName(), saved);
    EXPECT_FALSE(editor.changed());
    EXPECT_EQ(read(saved), qv::ScaleLibraryBytes(start));
    EXPECT_FALSE(fs::exists(chosen));
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Save Scale File As", "Save Scale File As"}));
}

TEST_F(ScaleEditorFiles, SaveAsOverAnExistingFileAsksFirst)
{
    qv::ScaleEditor editor(prompter, start);
    const std::string first = write("first.dat", library("ONE "));
    ASSERT_TRUE(editor.Load(first));
    const std::string other = write("other.dat", library("TWO "));
    const std::string question = "The file" + other + " already exists. Do you want to replace the existing file?";

    editor.setChanged();
    prompter.queueText(other);
    prompter.queueAnswer(Answer::No);
    EXPECT_FALSE(editor.SaveAs());
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Save Scale File As", question}));
    EXPECT_EQ(editor.fileName(), first);
    EXPECT_EQ(read(other), library("TWO "));
    EXPECT_TRUE(editor.changed());

    prompter.queueText(other);
    prompter.queueAnswer(Answer::Yes);
    ASSERT_TRUE(editor.SaveAs());
    EXPECT_EQ(editor.fileName(), other);
    EXPECT_EQ(read(other), library("ONE "));
    EXPECT_FALSE(editor.changed());
}

TEST_F(ScaleEditorFiles, AFailedWriteKeepsTheChangesAndTheFile)
{
    qv::ScaleEditor editor(prompter, start);
    const std::string first = write("first.dat", library("ONE "));
    ASSERT_TRUE(editor.Load(first));
    editor.library().scales[0].setShortName("NEW ");
    editor.setChanged();

    // A folder that cannot be written to: a plain file stands where it should be.
    write("folder", {});
    const std::string inside = (folder / "folder" / "lib.dat").string();
    prompter.queueText(inside);
    EXPECT_FALSE(editor.SaveAs());
    ASSERT_EQ(prompter.texts().size(), 2u);
    EXPECT_EQ(prompter.texts()[1].rfind("Cannot create file " + inside + ": ", 0), 0u) << prompter.texts()[1];
    EXPECT_EQ(editor.fileName(), first);
    EXPECT_TRUE(editor.changed());
    EXPECT_EQ(read(first), library("ONE ")) << "the old file untouched";

    ASSERT_TRUE(editor.Save());
    EXPECT_EQ(read(first), qv::ScaleLibraryBytes(editor.library()));
}

TEST_F(ScaleEditorFiles, TheLastLibraryIsOfferedWhileItExists)
{
    qv::ScaleEditor editor(prompter, start);
    EXPECT_FALSE(editor.OfferReload((folder / "gone.dat").string()));
    EXPECT_FALSE(editor.OfferReload(""));
    EXPECT_TRUE(prompter.texts().empty()) << "nothing asked";

    const std::string last = write("last.dat", library("LAST"));
    prompter.queueAnswer(Answer::No);
    EXPECT_FALSE(editor.OfferReload(last));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Do you wish to reload the scalefile \"" + last + "\" ?"});
    EXPECT_EQ(editor.library().scales[0].shortName.text(), "STRT");

    prompter.queueAnswer(Answer::Yes);
    EXPECT_TRUE(editor.OfferReload(last));
    EXPECT_EQ(editor.library().scales[0].shortName.text(), "LAST");
    EXPECT_EQ(editor.fileName(), last);
}

} // namespace
