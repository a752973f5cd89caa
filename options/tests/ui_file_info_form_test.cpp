#include "config/config_image.h"
#include "options/ui/file_info_form.h"
#include "platform/host/scripted_prompter.h"
#include "platform/tests/qt_test_app.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace qv {
namespace {

// Keeps what each text box offered.
struct AskingPrompter : ScriptedPrompter {
    struct Asked {
        std::string caption, prompt, preset;
    };
    std::vector<Asked> asked;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& preset) override
    {
        asked.push_back({caption, prompt, preset});
        return ScriptedPrompter::inputBox(caption, prompt, preset);
    }
};

struct FileInfoBench {
    ConfigImage image;
    AskingPrompter prompter;
    std::unique_ptr<TFileInfoForm> form;

    explicit FileInfoBench(bool versionOverride)
    {
        image.trailer().serial = 1234;
        image.trailer().version = 0x0530;
        form = std::make_unique<TFileInfoForm>(image, versionOverride, prompter);
        form->showInfo();
    }
    QTableWidget& table() { return *form->findChild<QTableWidget*>("grdInfo"); }
    QString cell(int row, int column) { return table().item(row, column)->text(); }
};

TEST(FileInfoForm, ShowsTheSixRowsOfTheTrailer)
{
    FileInfoBench b(false);
    EXPECT_EQ(b.form->windowTitle(), "File information.");
    EXPECT_TRUE(b.form->isModal());
    const char* captions[] = {"Serial:",        "RVT Type:",   "Software Version:", "Extended Bios Version:",
                              "Hardware ID:",   "Checksum:"};
    const char* values[] = {"1234", "Unknown", "05.30", "0000", "0000", "00000000"};
    ASSERT_EQ(b.table().rowCount(), 6);
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(b.cell(r, 0), captions[r]);
        EXPECT_EQ(b.cell(r, 1), values[r]);
    }
    // Without the version override a double click changes nothing.
    b.form->grdInfoDblClick(0);
    EXPECT_TRUE(b.prompter.asked.empty());
    QTest::mouseClick(b.form->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    EXPECT_FALSE(b.form->isVisible());
}

TEST(FileInfoForm, TheVersionOverrideTakesANewSerialAndVersion)
{
    FileInfoBench b(true);
    QSignalSpy changed(b.form.get(), &TFileInfoForm::trailerChanged);

    b.prompter.queueText("65535");
    b.form->grdInfoDblClick(0);
    ASSERT_EQ(b.prompter.asked.size(), 1u);
    EXPECT_EQ(b.prompter.asked[0].caption, "Enter a new serial number.");
    EXPECT_EQ(b.prompter.asked[0].prompt, "Enter a new serial number.");
    EXPECT_EQ(b.prompter.asked[0].preset, "1234");
    EXPECT_EQ(b.image.trailer().serial, 65535);
    EXPECT_EQ(b.cell(0, 1), "65535");
    EXPECT_TRUE(b.image.modified()) << "a saved file would differ";
    EXPECT_EQ(changed.count(), 1);

    b.image.setModified(false);
    for (const char* bad : {"65536", "-1", "abc"}) {
        b.prompter.queueText(bad);
        b.form->grdInfoDblClick(0);
    }
    b.prompter.queueText(std::nullopt); // cancelled
    b.form->grdInfoDblClick(2);
    EXPECT_EQ(b.image.trailer().serial, 65535);
    EXPECT_EQ(b.image.imageVersion(), 0x0530);
    EXPECT_FALSE(b.image.modified());
    EXPECT_EQ(changed.count(), 1);

    b.prompter.queueText("5.10");
    b.form->grdInfoDblClick(2);
    EXPECT_EQ(b.prompter.asked.back().caption, "Enter a new software version.");
    EXPECT_EQ(b.prompter.asked.back().preset, "05.30");
    EXPECT_EQ(b.image.imageVersion(), 0x0510);
    EXPECT_EQ(b.cell(2, 1), "05.10");

    const size_t asked = b.prompter.asked.size();
    for (int row : {1, 3, 4, 5})
        b.form->grdInfoDblClick(row);
    EXPECT_EQ(b.prompter.asked.size(), asked) << "the other rows are not for changing";
}

} // namespace
} // namespace qv
