// The wizard's pages, its navigation, the input box and dropped files,
// against the simulated instrument on virtual time.
#include "wizard_fixture.h"

#include "packages/cdp_format.h"
#include "packages/cdp_writer.h"
#include "updater/wizard_texts.h"

namespace {

using qv::UpdateControl;
using qv::WizardControl;

qv::CdpDraft Package(uint32_t mask)
{
    qv::CdpDraft draft;
    draft.description = "DSP software 5.40";
    qv::CdpDraftItem item;
    item.mask = mask;
    item.kind = qv::kCdpInformation;
    item.description = "Done.";
    draft.items = {item};
    return draft;
}

std::string WritePackage(const TempFolder& folder, const std::string& name, uint32_t mask)
{
    std::string error;
    const auto bytes = qv::BuildCdp(Package(mask), error);
    EXPECT_TRUE(bytes) << error;
    return folder.write(name, *bytes);
}

TEST(WizardPages, StartAndFileSelection)
{
    WizardBench b;
    EXPECT_EQ(b.wizard.page(), "START");
    EXPECT_EQ(b.view.groups, qv::GroupPort | qv::GroupStart);
    EXPECT_EQ(b.view.captions[UpdateControl::Exit], "Exit");
    EXPECT_EQ(b.view.tag(UpdateControl::Exit), qv::kExitProgram);
    EXPECT_FALSE(b.view.isEnabled(UpdateControl::Next)) << "no port open";
    EXPECT_EQ(b.view.info, qv::kStartInfoText);
    EXPECT_EQ(b.info(), "Press NEXT to start the update.");
    EXPECT_EQ(b.view.text(qv::WizardText::Time), "0 %");

    b.connectAndSelect();
    EXPECT_EQ(b.view.groups, qv::GroupFile);
    EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextExecute);
    EXPECT_EQ(b.view.captions[UpdateControl::Exit], "Cancel");
    EXPECT_EQ(b.view.tag(UpdateControl::Exit), qv::kExitCancel);
    EXPECT_FALSE(b.view.isEnabled(UpdateControl::Next));
    EXPECT_TRUE(b.view.isEnabled(WizardControl::Filename));
    EXPECT_EQ(b.view.info, qv::kSelectFileInfoText);

    // Cancel goes back to the start page; Next comes straight back here.
    b.wizard.btnExitClick();
    EXPECT_EQ(b.wizard.page(), "START");
    EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextToFileSelection);
    EXPECT_TRUE(b.view.isEnabled(UpdateControl::Next));
    b.wizard.btnNextClick();
    EXPECT_EQ(b.wizard.page(), "SELFILE");
    EXPECT_FALSE(b.channel.aborted()) << "Next clears what Cancel set";
}

TEST(WizardPages, TypedTextsSelectThePage)
{
    WizardBench b;
    b.connectAndSelect();
    struct Step {
        std::string text;
        std::string page;
        bool next;
        unsigned groups;
    } steps[] = {
        {"rvt/i", "SELFILE", false, qv::GroupFile},
        {"MCU/ERASE", "FILE", true, qv::GroupFile | qv::GroupFileProgress},
        {"help", "HELP", false, qv::GroupFile | qv::GroupHelp},
        // Once the help was shown, anything unknown shows it again.
        {"rvt/i", "HELP", false, qv::GroupFile | qv::GroupHelp},
        // CMD/ only enables Next on whatever page is showing.
        {"CMD/.SP15,22", "HELP", true, qv::GroupFile | qv::GroupHelp},
        {"RVT/R", "RVT/R", true, qv::GroupFile | qv::GroupFlashRead | qv::GroupFileProgress},
    };
    for (const auto& s : steps) {
        b.wizard.SetInput(s.text);
        EXPECT_EQ(b.wizard.page(), s.page) << s.text;
        EXPECT_EQ(b.view.isEnabled(UpdateControl::Next), s.next) << s.text;
        EXPECT_EQ(b.view.groups, s.groups) << s.text;
    }
    EXPECT_TRUE(b.texts().empty());
}

TEST(WizardPages, PackagesAreCheckedWhenNamed)
{
    TempFolder folder;
    const std::string forAll = WritePackage(folder, "all.CDP", 0);
    const std::string forOther = WritePackage(folder, "other.cdp", 1u << 20);
    const std::string broken = folder.write("broken.CDP", Pattern(400));

    WizardBench b;
    b.connectAndSelect();
    b.wizard.SetInput(forAll);
    EXPECT_EQ(b.wizard.page(), "CDP");
    EXPECT_EQ(b.view.groups, qv::GroupFile | qv::GroupCdpBackup | qv::GroupCdpProgress);
    EXPECT_TRUE(b.view.checked(WizardControl::Backup)) << "a running instrument is backed up";
    for (auto control : {WizardControl::Backup, WizardControl::BackupFileName, WizardControl::BackupButton})
        EXPECT_TRUE(b.view.isEnabled(control));
    EXPECT_EQ(b.view.text(qv::WizardText::CdpInfo), "DSP software 5.40");
    EXPECT_EQ(b.view.text(qv::WizardText::ItemDescription), "Press NEXT to start the update...");
    EXPECT_TRUE(b.view.isEnabled(UpdateControl::Next));
    b.view.setChecked(WizardControl::Backup, false);
    b.wizard.chkBackupClick();
    EXPECT_FALSE(b.view.isEnabled(WizardControl::BackupButton));
    EXPECT_TRUE(b.texts().empty());

    b.wizard.SetInput(forOther);
    EXPECT_EQ(b.wizard.page(), "SELFILE");
    EXPECT_EQ(b.texts(), std::vector<std::string>{qv::kNoValidDataText});

    b.sim.prompter.clearShown();
    b.wizard.SetInput(broken);
    EXPECT_EQ(b.wizard.page(), "SELFILE");
    EXPECT_EQ(b.texts(), (std::vector<std::string>{"This is not a valid file.", qv::kNoValidDataText}));
}

TEST(WizardPages, PackageInBiosModeStaysWithoutTheWarning)
{
    TempFolder folder;
    const std::string broken = folder.write("broken.CDP", Pattern(400));
    qv::sim::InstrumentOptions bios;
    bios.biosMode = true;
    WizardBench b(bios);
    b.connectAndSelect();
    ASSERT_TRUE(b.identity.biosMode);
    b.wizard.SetInput(broken);
    EXPECT_EQ(b.wizard.page(), "CDP");
    EXPECT_FALSE(b.view.checked(WizardControl::Backup));
    EXPECT_EQ(b.texts(), std::vector<std::string>{"This is not a valid file."});
}

TEST(WizardPages, FileChooserFilter)
{
    const std::string packages = "Compiled Distribution Packages (*.CDP)|*.CDP|";
    const std::string all = "All Files (*.*)|*.*|";
    EXPECT_EQ(qv::FileChooserFilter(false, false), packages + all);
    EXPECT_EQ(qv::FileChooserFilter(true, false),
              packages + "DSP-Files (*.000)|*.000|Configuration-Files (*.PRE)|*.PRE|" + all);
    const std::string io = qv::FileChooserFilter(false, true);
    EXPECT_TRUE(io.starts_with(packages + "Intel HEX-Files (*.HEX)|*.HEX|Xilinx XSVF-Files (*.XSVF)|*.XSVF|"));
    EXPECT_TRUE(io.ends_with("Firmware-Files (*.x)|*.x*|" + all));
}

TEST(WizardPages, ChosenFiles)
{
    TempFolder folder;
    const std::string dsp = folder.write("X.380", Pattern(256));
    const std::string notes = folder.write("notes.txt", Pattern(10));
    WizardBench b;
    b.connectAndSelect();

    b.sim.prompter.queueText(dsp);
    b.wizard.btnFileNameClick();
    EXPECT_EQ(b.view.input, dsp);
    EXPECT_EQ(b.wizard.page(), "FILE");

    b.sim.prompter.clearShown();
    b.sim.prompter.queueText(notes);
    b.wizard.btnFileNameClick();
    EXPECT_EQ(b.texts(), (std::vector<std::string>{"Open", "Unknown filetype."}));
    EXPECT_EQ(b.view.input, "") << "the unknown page empties the box";
    EXPECT_EQ(b.wizard.page(), "SELFILE");
    EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextToFileSelection);

    // Cancelled: nothing changes.
    b.wizard.SetInput(dsp);
    b.wizard.btnFileNameClick();
    EXPECT_EQ(b.view.input, dsp);
}

TEST(WizardPages, DroppedFilesConnectFirst)
{
    TempFolder folder;
    const std::string dsp = folder.write("X.380", Pattern(256));
    const std::string third = folder.write("Y.380", Pattern(256));
    WizardBench b(WithIo());
    ASSERT_FALSE(b.connection.connected());
    b.wizard.FilesDropped({folder.path("gone.380"), dsp, third});
    EXPECT_TRUE(b.connection.connected());
    EXPECT_EQ(b.view.title, "QV-Update - Connected to 12345 on SIM");
    EXPECT_EQ(b.view.input, dsp) << "only the first two names count";
    EXPECT_EQ(b.wizard.page(), "FILE");
    EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextExecute);
}

TEST(WizardPages, ExitDisconnectsAndCloses)
{
    WizardBench b(WithIo());
    b.connection.btnOpenClick();
    ASSERT_TRUE(b.connection.connected());
    const int64_t before = b.sim.clock.nowMs();
    b.wizard.btnExitClick();
    b.settle();
    EXPECT_TRUE(b.view.closed);
    EXPECT_FALSE(b.sim.port.isOpen());
    EXPECT_GE(b.sim.clock.nowMs() - before, qv::UpdateWizard::kExitPolls * 10) << "the instrument settles first";
    EXPECT_EQ(b.module().commandLines().back(), "@AT---");
    EXPECT_EQ(b.view.bannerIntervalMs, qv::UpdateWizard::kExitBannerMs);
}

TEST(WizardPages, CancelledSearchReturnsToStart)
{
    WizardBench b;
    b.view.setTag(UpdateControl::Exit, qv::kExitCancelSearch);
    b.wizard.btnExitClick();
    EXPECT_TRUE(b.channel.aborted());
    EXPECT_EQ(b.wizard.page(), "START");
    EXPECT_FALSE(b.view.isEnabled(UpdateControl::Next));
    EXPECT_FALSE(b.view.closed);
}

} // namespace
