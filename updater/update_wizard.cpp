// The wizard's pages, its navigation and the input box.
#include "update_wizard.h"

#include "input_recognition.h"
#include "wizard_texts.h"
#include "link/identity_tables.h"
#include "packages/cdp_check.h"
#include "packages/cdp_selection.h"
#include "platform/host/file_io.h"

namespace qv {

namespace {

// Types whose software is always worth a backup before a package goes in.
constexpr int kFirstAlwaysBackupType = 14;
constexpr int kLastAlwaysBackupType = 17;
// A package is read whole; anything larger is no package of ours.
constexpr size_t kPackageReadLimit = size_t(64) << 20;

constexpr WizardControl kBackupControls[] = {WizardControl::Backup, WizardControl::BackupFileName,
                                             WizardControl::BackupButton};

} // namespace

std::string FileChooserFilter(bool instrument, bool ioInterface)
{
    std::string filter = kPackageFilter;
    if (instrument)
        filter += kInstrumentFilter;
    if (ioInterface)
        filter += kIoInterfaceFilter;
    return filter + kAllFilesFilter;
}

UpdateWizard::UpdateWizard(IoInterface& io, UpdateIdentity& identity, UpdateConnection& connection, WizardView& view)
    : io_(io),
      channel_(io.channel()),
      identity_(identity),
      connection_(connection),
      view_(view),
      prompter_(io.channel().host().prompter)
{
}

void UpdateWizard::ShowPage(const std::string& key)
{
    page_ = key;
    if (key == "RDMB_DISABLE") {
        view_.enableWizard(WizardControl::FlashRead, false);
        return;
    }
    const auto cancelButton = [&] {
        view_.setCaption(UpdateControl::Exit, "Cancel");
        view_.setTag(UpdateControl::Exit, kExitCancel);
    };
    if (key == "START") {
        view_.showGroups(GroupPort | GroupStart);
        view_.setCaption(UpdateControl::Exit, "Exit");
        view_.enable(UpdateControl::Exit, true);
        view_.setTag(UpdateControl::Exit, kExitProgram);
        view_.setTag(UpdateControl::Next, kNextToStart);
        view_.enable(UpdateControl::Next, channel_.port().isOpen());
        view_.enableWizard(WizardControl::Advanced, false);
        view_.setInfo(kStartInfoText);
        for (WizardBar bar : {WizardBar::Progress, WizardBar::Item, WizardBar::Overall, WizardBar::Preset})
            view_.bar(bar).setPosition(0);
        info().setText(kStartUpdateText);
        for (WizardText percent :
             {WizardText::Time, WizardText::ItemPercent, WizardText::OverallPercent, WizardText::PresetPercent})
            view_.panel(percent).setText("0 %");
        for (WizardText text : {WizardText::CdpInfo, WizardText::ItemDescription, WizardText::PresetInfo})
            view_.panel(text).setText("");
        for (WizardControl control : kBackupControls)
            view_.enableWizard(control, true);
    } else if (key == "SELFILE") {
        view_.showGroups(GroupFile);
        cancelButton();
        view_.setInfo(kSelectFileInfoText);
        view_.enableWizard(WizardControl::Filename, true);
        view_.enableWizard(WizardControl::FileName, true);
        view_.enableWizard(WizardControl::Advanced, true);
        view_.enable(UpdateControl::Next, false);
    } else if (key == "FILE") {
        view_.showGroups(GroupFile | GroupFileProgress);
        cancelButton();
        view_.enable(UpdateControl::Next, true);
    } else if (key == "HELP") {
        view_.showGroups(GroupFile | GroupHelp);
        cancelButton();
        view_.enable(UpdateControl::Next, false);
        helpShown = true;
    } else if (key == "CDP") {
        view_.showGroups(GroupFile | GroupCdpBackup | GroupCdpProgress);
        cancelButton();
        view_.setChecked(WizardControl::Backup, false);
        for (WizardControl control : kBackupControls)
            view_.enableWizard(control, false);
        view_.enable(UpdateControl::Next, true);
    } else if (key == "PRE") {
        view_.showGroups(GroupPreset | GroupFile);
        cancelButton();
        view_.enable(UpdateControl::Next, true);
    } else if (key == "RVT/R") {
        view_.showGroups(GroupFile | GroupFlashRead | GroupFileProgress);
        PrepareFlashReadPage();
        cancelButton();
        view_.enable(UpdateControl::Next, true);
    } else if (key == "WRITEMODULE") {
        view_.showGroups(GroupModuleSetup);
        view_.setInfo("Press update to write the data to the module(s).");
        cancelButton();
        view_.panel(WizardText::ModuleStatus).setText("");
        view_.bar(WizardBar::Module).setPosition(0);
        view_.setTag(UpdateControl::Next, kNextFinished);
        view_.enable(UpdateControl::Next, true);
        view_.enableWizard(WizardControl::Advanced, true);
    } else {
        view_.showGroups(GroupPort);
        view_.setCaption(UpdateControl::Exit, "Exit");
        view_.setTag(UpdateControl::Exit, kExitProgram);
        view_.setInfo("");
        view_.setInputText("");
        view_.enable(UpdateControl::Next, false);
        view_.enableWizard(WizardControl::Advanced, false);
    }
}

void UpdateWizard::editFilenameChange(const std::string& text)
{
    const InputRecognition recognised = RecognizeInput(text);
    switch (recognised.kind) {
    case InputKind::SendText:
        info().setText(recognised.info);
        view_.enable(UpdateControl::Next, true);
        return;
    case InputKind::Package:
        info().setText(recognised.info);
        ShowPackage(text);
        return;
    case InputKind::ConfigurationFile:
        info().setText(recognised.info);
        ShowConfigurationFile(text);
        return;
    case InputKind::None:
        ShowPage(helpShown ? "HELP" : "SELFILE");
        break;
    default:
        ShowPage(recognised.page);
        break;
    }
    info().setText(recognised.info);
}

void UpdateWizard::SetInput(const std::string& text)
{
    view_.setInputText(text);
    editFilenameChange(text);
}

void UpdateWizard::ShowPackage(const std::string& path)
{
    ShowPage("CDP");
    view_.repaint();
    view_.enable(UpdateControl::Next, false);
    const FileRead file = ReadFileUpTo(path, kPackageReadLimit);
    bool meant = false;
    CdpCheck check;
    if (file.status == FileRead::Status::Ok) {
        check = VerifyFileHeader(Program::Update, file.bytes, prompter_);
        meant = check.valid && MeantForInstrument(check.package, identity_.type);
    }
    if (!meant) {
        if (!identity_.biosMode) {
            ShowPage("SELFILE");
            prompter_.message(MessageKind::Warning, kNoValidDataText);
        } else {
            view_.enable(UpdateControl::Next, true);
        }
        return;
    }
    const bool backup = (identity_.type >= kFirstAlwaysBackupType && identity_.type <= kLastAlwaysBackupType) ||
                        (identity_.connected && !identity_.biosMode);
    view_.setChecked(WizardControl::Backup, backup);
    for (WizardControl control : kBackupControls)
        view_.enableWizard(control, backup);
    view_.panel(WizardText::CdpInfo).setText(check.package.header.description);
    view_.panel(WizardText::ItemDescription).setText("Press NEXT to start the update...");
    view_.enable(UpdateControl::Next, true);
}

void UpdateWizard::btnFileNameClick()
{
    const auto chosen =
        prompter_.openFile("Open", FileChooserFilter(identity_.connected, identity_.ioInterfacePresent), "");
    if (!chosen || !FileExistsOnDisk(*chosen))
        return;
    SetInput(*chosen);
    if (!IsKnownFileType(*chosen)) {
        ShowPage("UNKNOWN");
        view_.setTag(UpdateControl::Next, kNextToFileSelection);
        prompter_.error(kUnknownFileTypeText);
        editFilenameChange(view_.inputText());
    }
}

void UpdateWizard::chkBackupClick()
{
    const bool backup = view_.checked(WizardControl::Backup);
    view_.enableWizard(WizardControl::BackupButton, backup);
    view_.enableWizard(WizardControl::BackupFileName, backup);
}

void UpdateWizard::btnBackupClick()
{
    const auto chosen = prompter_.saveFile("Save As", kBackupFilter, view_.text(WizardText::BackupFileName));
    if (chosen)
        view_.panel(WizardText::BackupFileName).setText(*chosen);
}

void UpdateWizard::FilesDropped(const std::vector<std::string>& paths)
{
    for (size_t i = 0; i < paths.size() && i < kDroppedFilesTaken; ++i) {
        if (!FileExistsOnDisk(paths[i]))
            continue;
        if (!connection_.connected()) {
            if (connection_.FindInstrument(true) == 0)
                continue;
            connection_.btnOpenClick();
            if (!connection_.connected())
                continue;
        }
        ShowPage("SELFILE");
        view_.setTag(UpdateControl::Next, kNextExecute);
        SetInput(paths[i]);
    }
}

void UpdateWizard::btnNextClick()
{
    channel_.ResetAbort();
    switch (view_.tag(UpdateControl::Next)) {
    case kNextToFileSelection:
        view_.setTag(UpdateControl::Next, kNextExecute);
        ShowPage("SELFILE");
        break;
    case kNextExecute:
        view_.setTag(UpdateControl::Next, kNextToStart);
        ExecuteCommand();
        break;
    case kNextFinished:
        // A port the operation left closed is not opened again.
        if (channel_.port().isOpen())
            connection_.btnOpenClick();
        else
            ReturnDisconnected();
        ShowPage("START");
        break;
    case kNextPortClosed:
        ReturnDisconnected();
        ShowPage("START");
        break;
    default:
        ShowPage("START");
        break;
    }
}

void UpdateWizard::ReturnDisconnected()
{
    connection_.ShowDisconnected(DisconnectKind::Disconnected);
    view_.setTitle(std::string(UpdateConnection::kTitle) + " - Not Connected");
    view_.setCaption(UpdateControl::Open, "Connect");
    view_.setTag(UpdateControl::Next, kNextToStart);
}

void UpdateWizard::btnExitClick()
{
    channel_.Abort();
    // A running transfer ends at its next reply; the page changes after it.
    if (running_) {
        cancelRequested_ = true;
        view_.enable(UpdateControl::Exit, false);
        return;
    }
    switch (view_.tag(UpdateControl::Exit)) {
    case kExitProgram:
        view_.enable(UpdateControl::Exit, false);
        view_.setBannerInterval(kExitBannerMs);
        view_.setBannerBusy(true);
        view_.setBusyCursor(true);
        if (identity_.connected)
            for (int poll = 0; poll < kExitPolls; ++poll)
                channel_.Poll();
        if (channel_.port().isOpen())
            connection_.btnOpenClick();
        view_.closeWindow();
        break;
    case kExitCancelSearch:
        ShowPage("START");
        view_.enable(UpdateControl::Next, false);
        break;
    default:
        ShowPage("START");
        view_.setTag(UpdateControl::Next, kNextToFileSelection);
        break;
    }
}

bool UpdateWizard::ConfirmUpdate()
{
    if (quiet)
        return true;
    return prompter_.message(MessageKind::Warning, ConfirmUpdateText(), ButtonYesNo, Answer::No, HelpTopic::Contents,
                             MessageStyle::Alarm) == Answer::Yes;
}

std::string UpdateWizard::ConfirmUpdateText() const
{
    const bool unknown = identity_.type == kTypeUnknown || identity_.type == kTypeBiosMode;
    const std::string instrument = unknown ? "UNKNOWN INSTRUMENT" : TypeName(Program::Update, identity_.type);
    return "You are about to update the software in the " + instrument + " connected to " + connection_.portName() +
           ".\r\rDO NOT DISCONNECT THE INSTRUMENT WHILE THE UPDATE IS IN PROGRESS!\r\rDisconnecting while the "
           "update is in progress will render the instrument inoperable.\rWe advise you to close all other open "
           "programs while the update is in progress.\r\rDo you wish to proceed?";
}

} // namespace qv
