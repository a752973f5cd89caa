#include "software_install.h"

#include "config/config_image.h"
#include "link/identity_tables.h"
#include "link/matrix_transfer.h"
#include "link/wire_protocol.h"
#include "packages/backup_target.h"
#include "packages/backup_writer.h"
#include "packages/cdp_check.h"
#include "packages/cdp_format.h"
#include "packages/hex_data.h"
#include "packages/install_plan.h"
#include "platform/host/file_io.h"
#include "platform/host/progress.h"
#include "platform/host/prompter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace qv {

namespace {


std::string HexBytes(std::span<const uint8_t> bytes)
{
    std::string text;
    char hex[4];
    for (uint8_t b : bytes) {
        std::snprintf(hex, sizeof hex, "%02X ", unsigned(b));
        text += hex;
    }
    return text;
}

std::string WordText(uint16_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "$%04X", unsigned(value));
    return text;
}

bool IsWordKind(uint16_t kind)
{
    return kind == kCdpWriteWord || kind == kCdpAskWord;
}

} // namespace

std::optional<std::string> RefusedItem(const CdpItem& item)
{
    uint64_t length = 0;
    if (item.kind == kCdpSoftwareBlock) {
        // A partial block would write bytes the package never gave.
        if (item.size % wire::kBlockSize != 0)
            return "The item '" + item.description + "' is not made of whole blocks of 128 bytes.";
        length = item.size;
    } else if (IsWordKind(item.kind)) {
        length = 2;
    } else {
        return std::nullopt;
    }
    if (!wire::InAddressSpace(item.address, length))
        return "The item '" + item.description + "' does not fit the RVT's memory.\r" +
               wire::AddressRangeError(item.address, length);
    return std::nullopt;
}

SoftwareInstall::SoftwareInstall(SoftwareInstallView& view, Prompter& prompter, InstrumentRecord& record,
                                 InstallConnection connection)
    : view_(view), prompter_(prompter), record_(record), connection_(std::move(connection))
{
}

MatrixTransfer* SoftwareInstall::transfer()
{
    return connection_.transferWindow();
}

void SoftwareInstall::resetProgress()
{
    for (Progress* bar : {&view_.itemBar(), &view_.overallBar()}) {
        bar->setPosition(0);
        bar->setText("0 %");
    }
}

void SoftwareInstall::enableAsShown()
{
    view_.offerBackup(!record_.biosMode);
    view_.enableControls(true);
    view_.enableCancel(true);
}

void SoftwareInstall::Show()
{
    connection_.connect(true);
    view_.offerBackup(!record_.biosMode);
    if (record_.biosMode) {
        if (const auto type = view_.chooseBiosType())
            record_.type = *type;
    }
    view_.setCaption(TypeName(Program::Matrix, record_.type));
    enableAsShown();
    resetProgress();
}

std::optional<std::string> SoftwareInstall::ChooseSource()
{
    return prompter_.openFile("Open", kPackageFilter, {});
}

std::optional<std::string> SoftwareInstall::ChooseBackup()
{
    const auto chosen = prompter_.saveFile("Save As", kPackageFilter, chosenBackup_);
    if (!chosen)
        return std::nullopt;
    const std::string name = WithCdpExtension(*chosen);
    std::error_code error;
    if (std::filesystem::exists(name, error) &&
        !prompter_.confirm("The file '" + name + "' allready exists.\r\rDo you wish to replace it?", Answer::No))
        return std::nullopt;
    chosenBackup_ = name;
    return name;
}

void SoftwareInstall::Execute(const std::string& source, bool backup, const std::string& backupName)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(source, error)) {
        prompter_.error("Could not locate the file '" + source + "',\rplease enter a valid filename.");
        return;
    }
    MatrixTransfer* t = transfer();
    if (!t || !record_.connected) {
        prompter_.error("No RVT connected.");
        return;
    }
    run_ = Run{};
    running_ = true;
    t->cancel = false;
    view_.enableControls(false);
    if (!Prepare(source)) {
        running_ = false;
        view_.overallBar().setText("100 %");
        enableAsShown();
        return;
    }
    if (backup && !CheckBackup(backupName)) {
        running_ = false;
        view_.overallBar().setText("100 %");
        prompter_.message(MessageKind::Warning, kInvalidBackupText);
        enableAsShown();
        if (record_.biosMode) {
            if (const auto type = view_.chooseBiosType())
                record_.type = *type;
        }
        resetProgress();
        return;
    }

    t->view().setInstallBars(&view_.itemBar(), &view_.overallBar());
    if (t->RestartInDownloadMode(false))
        t->channel().host().clock.sleepMs(kDownloadModePauseMs);
    // The backup is whole on the disk before anything is written.
    if (!backup || Backup(*t, backupName))
        RunItems();
    if (MatrixTransfer* now = transfer())
        now->view().setInstallBars(nullptr, nullptr);
    Finish();
}

bool SoftwareInstall::Prepare(const std::string& source)
{
    std::string error;
    if (!ReadWholeFile(source, run_.file, error)) {
        prompter_.error("The file '" + source + "' cannot be read.\r" + error);
        return false;
    }
    CdpCheck check = VerifyFileHeader(Program::Matrix, run_.file, prompter_);
    if (!check.valid)
        return false;
    run_.package = std::move(check.package);
    run_.plan = PlanMatrixInstall(run_.package, record_.type, record_.biosMode);
    if (!run_.package.items.empty() && run_.plan.selected.empty()) {
        prompter_.error("The package '" + run_.package.header.description + "' holds nothing for the " +
                        TypeName(Program::Matrix, record_.type) + ".\rNothing was installed.");
        return false;
    }
    for (size_t index : run_.plan.selected) {
        if (const auto reason = RefusedItem(run_.package.items[index])) {
            prompter_.error(*reason + "\rNothing was installed.");
            return false;
        }
    }
    view_.overallBar().setMaximum(run_.plan.total);
    view_.setCaption(run_.package.header.description);
    return true;
}

bool SoftwareInstall::CheckBackup(const std::string& backupName)
{
    const BackupTarget target = CheckBackupTarget(backupName, prompter_, Program::Matrix, chosenBackup_);
    view_.setBackupName(target.name);
    return target.ok;
}

bool SoftwareInstall::Backup(MatrixTransfer& t, const std::string& backupName)
{
    const std::string name = WithCdpExtension(backupName);
    const int blocks = std::stoi(ProgramBlocks(record_.type));
    const int64_t bytes = int64_t(blocks) * int64_t(wire::kBlockSize);
    t.mode = TransferMode::Upload;
    view_.itemBar().setMaximum(bytes);
    view_.itemBar().setPosition(0);
    view_.overallBar().setMaximum(view_.overallBar().maximum() + bytes);
    view_.setItemDescription("Uploading RVT-Software to: " + name);
    t.view().setTextLine("Uploading BACKUP.");
    std::vector<uint8_t> program(size_t(bytes), 0);
    const bool read = t.ReadMemory(wire::kCmdReadBlock, 0, program.data(), blocks);
    t.mode = TransferMode::Installation;
    if (t.cancel)
        return false;
    if (!read) {
        run_.portLost = !t.channel().port().isOpen();
        prompter_.error("The software in the RVT could not be read for the backup.\rNothing was installed.");
        run_.stopped = true;
        return false;
    }
    std::string error;
    const auto written = WriteMatrixBackup(name, program, record_.type, record_.serialText, error);
    if (!written) {
        prompter_.error("The backup could not be written to '" + name + "'.\r" + error + "\rNothing was installed.");
        run_.stopped = true;
        return false;
    }
    view_.setBackupName(*written);
    run_.backupMade = *written;
    return true;
}

void SoftwareInstall::RunItems()
{
    for (size_t index : run_.plan.selected) {
        MatrixTransfer* t = transfer();
        if (!t || t->cancel)
            return;
        t->mode = TransferMode::Installation;
        RunItem(*t, run_.package.items[index]);
        if (!t->channel().port().isOpen()) {
            run_.portLost = true;
            return;
        }
    }
}

void SoftwareInstall::StartItem(const CdpItem& item, int64_t maximum)
{
    view_.setItemDescription(item.description);
    view_.itemBar().setMaximum(maximum);
    SetItemPosition(0);
}

void SoftwareInstall::SetItemPosition(int64_t position)
{
    Progress& bar = view_.itemBar();
    bar.setPosition(position);
    bar.setText(bar.percent());
}

void SoftwareInstall::Failed(MatrixTransfer& t, const CdpItem& item)
{
    if (!t.cancel)
        run_.failed.push_back(item.description);
}

void SoftwareInstall::RunItem(MatrixTransfer& t, const CdpItem& item)
{
    switch (item.kind) {
    case kCdpSoftwareBlock:
        return SoftwareBlock(t, item);
    case kCdpWriteWord:
    case kCdpAskWord:
        if (record_.biosMode) {
            run_.biosSkip = true;
            return;
        }
        return WordItem(t, item);
    case kCdpRestart:
        StartItem(item, 1);
        t.link().RestartRVT();
        return SetItemPosition(1);
    case kCdpKeyPress:
        StartItem(item, 1);
        t.link().PressKey(uint8_t(item.value() & 0xFF));
        return SetItemPosition(1);
    case kCdpDownloadMode:
        if (item.value() != 0)
            t.RestartInDownloadMode(false);
        else
            connection_.restart();
        return;
    case kCdpInformation:
        return prompter_.information(item.description);
    case kCdpWarning:
        prompter_.message(MessageKind::Warning, item.description);
        return;
    case kCdpError:
        return prompter_.error(item.description);
    case kCdpUpgradeTo500:
    case kCdpUpgradeTo510:
        if (record_.biosMode) {
            run_.biosSkip = true;
            return;
        }
        return ConfigUpgrade(t, item);
    default:
        return; // kinds for QV-Update only
    }
}

void SoftwareInstall::SoftwareBlock(MatrixTransfer& t, const CdpItem& item)
{
    StartItem(item, item.size);
    const auto shown = item.payload.first(std::min<size_t>(item.payload.size(), kDebugBytes));
    connection_.debugLine("DownloadBuffer: " + HexBytes(shown));
    t.quiet = true;
    bool written = false;
    if (t.ConnectInstrument(true)) {
        run_.written = run_.written || !item.payload.empty();
        written = item.payload.empty() || t.WriteMemory(item.address, item.payload.data(), item.payload.size() - 1);
    }
    connection_.debugLine(std::string("DownloadCode: ") + (written ? "True" : "False"));
    t.view().hideWindow();
    if (!written || t.cancel)
        Failed(t, item);
}

void SoftwareInstall::WordItem(MatrixTransfer& t, const CdpItem& item)
{
    StartItem(item, 2);
    uint16_t value = item.value();
    if (item.kind == kCdpAskWord) {
        // Only the first such item of a run asks; the later ones write its answer.
        if (!run_.askedWord)
            run_.askedWord = AskWordValue(prompter_, item.description, value);
        value = *run_.askedWord;
    }
    t.dspFile.operation = 'M';
    t.dspFile.value = WordText(value);
    t.quiet = true;
    bool written = false;
    if (t.ConnectInstrument(false)) {
        SetItemPosition(1);
        run_.written = true;
        written = t.ModifyMemoryWord(item.address, t.dspFile.value);
    }
    t.dspFile.operation = 0;
    t.view().hideWindow();
    if (!written)
        return Failed(t, item);
    SetItemPosition(2);
}

void SoftwareInstall::ConfigUpgrade(MatrixTransfer& t, const CdpItem& item)
{
    StartItem(item, kConfigUpgradeBytes);
    t.view().setTextLine("Uploading Preset.");
    ConfigImage::Bytes bytes{};
    const bool read = t.ReadMemory(wire::kCmdReadBlock, kConfigBase, bytes.data(), kConfigBlocks);
    if (!read || t.cancel) {
        t.view().hideWindow();
        return Failed(t, item);
    }
    ConfigImage image;
    image.replace(bytes, {});
    const bool upgraded = image.upgradeTo500() && (item.kind != kCdpUpgradeTo510 || image.upgradeTo510());
    bool written = false;
    t.quiet = true;
    if (upgraded && t.ConnectInstrument(true)) {
        run_.written = true;
        written = t.WriteMemory(kConfigBase, image.bytes().data(), image.bytes().size() - 1);
    }
    t.view().hideWindow();
    if (!written || t.cancel)
        Failed(t, item);
}

void SoftwareInstall::Finish()
{
    view_.overallBar().setText("100 %");
    running_ = false;
    if (MatrixTransfer* t = transfer())
        t->mode = TransferMode::Idle;
    // Out of download mode, whatever happened: the instrument runs again.
    connection_.restart();
    view_.enableCancel(false);
    view_.setItemDescription({});
    if (!commandLine) {
        resetProgress();
        connection_.connect(false);
    }
    Report();
    if (MatrixTransfer* t = transfer())
        t->cancel = false;
    view_.closeWindow();
}

std::string SoftwareInstall::StateText() const
{
    return run_.written ? kPartlyWrittenText : kNothingWrittenText;
}

void SoftwareInstall::Report()
{
    MatrixTransfer* t = transfer();
    const bool cancelled = t && t->cancel;
    if (run_.portLost) {
        prompter_.error("The connection to the RVT was lost during the software installation.\r" + StateText());
        return;
    }
    if (run_.stopped)
        return;
    if (run_.biosSkip)
        prompter_.message(MessageKind::Warning, kBiosSkipText);
    if (cancelled) {
        prompter_.message(MessageKind::Warning, std::string(kCancelledText) + "\r" + StateText());
        return;
    }
    if (!run_.failed.empty()) {
        std::string text = "The software installation is not complete, these items could not be installed:";
        for (const std::string& description : run_.failed)
            text += "\r'" + description + "'";
        prompter_.error(text + "\r" + StateText());
        return;
    }
    if (run_.biosSkip)
        return;
    if (!run_.backupMade.empty())
        prompter_.information(
            "The software installation is complete,\ra backup of the RVT-Software was created in the directory '" +
            run_.backupMade + "'");
    else
        prompter_.information(kCompleteText);
}

bool SoftwareInstall::Cancel()
{
    MatrixTransfer* t = transfer();
    if (!running_) {
        if (t)
            t->mode = TransferMode::Idle;
        return true;
    }
    const TransferMode mode = t->mode;
    t->mode = TransferMode::Installation;
    if (t->MayClose())
        t->view().hideWindow();
    // Stopped or not, the running step carries on in its own mode.
    t->mode = mode;
    return false;
}

void SoftwareInstall::Closed()
{
    if (MatrixTransfer* t = transfer()) {
        t->mode = TransferMode::Idle;
        t->view().hideWindow();
    }
}

} // namespace qv
