#include "matrix_connection.h"

#include "config/image_layout.h"
#include "config/image_version.h"
#include "config/preset_file.h"
#include "config/preset_list.h"
#include "config/upgrade_offer.h"
#include "dot_identity_query.h"
#include "link/identity_tables.h"
#include "link/version_marker.h"
#include "link/wire_protocol.h"
#include "platform/host/file_io.h"

#include <filesystem>
#include <vector>

namespace qv {

namespace {

constexpr uint16_t kVersion410 = 0x0410; // LCD options
constexpr int kSplashIdentityAdvance = 1024; // half the splash's bar

} // namespace

MatrixConnection::MatrixConnection(ConfigDocument& document, InstrumentRecord& record, MainView& view,
                                   Prompter& prompter, Clock& clock)
    : document_(document), record_(record), view_(view), prompter_(prompter), clock_(clock)
{
}

uint16_t MatrixConnection::instrumentVersion() const
{
    return record_.remoteCapable ? uint16_t(record_.dot.value(DotIdentity::kSoftwareVersion)) : 0;
}

std::string MatrixConnection::temporaryFile(const char* name) const
{
    return (std::filesystem::path(temporaryFolder) / name).string();
}

void MatrixConnection::setNotConnected()
{
    view_.setField(MainField::Connection, "Not Connected");
    view_.setField(MainField::Serial, "Serial No.: Unknown");
}

void MatrixConnection::identify()
{
    setNotConnected();
    view_.enable(MainCommand::Restart, true);
    memoryVersion_ = 1.0;
    MatrixTransfer* transfer = transferWindow ? transferWindow() : nullptr;
    if (!transfer || !transfer->ConnectInstrument(true)) {
        setNotConnected();
        view_.enable(MainCommand::Upload, false);
        view_.enable(MainCommand::Download, false);
        view_.enable(MainCommand::RemoteControl, false);
        record_.connected = false;
        if (transfer)
            transfer->view().hideWindow();
        return;
    }
    transfer->view().hideWindow();

    if (record_.biosMode) {
        typeSupported_ = true;
        if (!installationStarting)
            prompter_.information("The connected RVT is in BIOS mode.\rUpload is disabled.");
        view_.enable(MainCommand::Upload, false);
        view_.setField(MainField::Connection, "BIOS-mode");
        view_.setField(MainField::Serial, "Serial No.: Unknown");
        return;
    }
    view_.setField(MainField::Connection, TypeName(Program::Matrix, record_.type));
    view_.setField(MainField::Serial, "Serial No.: " + record_.serialText);
    view_.enable(MainCommand::Upload, true);

    const bool queryDot = !skipDotIdentityOnce;
    skipDotIdentityOnce = false;
    if (queryDot) {
        // A text-deaf instrument keeps this going for seconds.
        view_.showWait(true);
        QueryDotIdentity(transfer->channel(), record_);
        view_.advanceSplash(kSplashIdentityAdvance);
        view_.showWait(false);
    }
    if (!record_.remoteCapable)
        readSoftwareVersion();

    view_.enable(MainCommand::RemoteControl, record_.remoteCapable);
    if (document_.hasImage())
        view_.enable(MainCommand::Download, record_.connected);
    checkType();
}

bool MatrixConnection::connectForSwitch()
{
    MatrixTransfer* transfer = transferWindow ? transferWindow() : nullptr;
    if (!transfer)
        return false;
    transfer->quiet = true;
    const bool connected = transfer->ConnectInstrument(true);
    transfer->quiet = false;
    return connected;
}

bool MatrixConnection::enterDownloadMode(bool noWait)
{
    MatrixTransfer* transfer = transferWindow ? transferWindow() : nullptr;
    if (!transfer) {
        prompter_.error("No RVT connected.");
        return false;
    }
    const std::string rvt = "The RVT on " + savedPortName;
    if (record_.biosMode) {
        prompter_.error(rvt + " is in BIOS mode, so it cannot be restarted in download mode.");
        return false;
    }
    if (!QueryDotIdentity(transfer->channel(), record_)) {
        prompter_.error(rvt + " does not answer text commands, so it cannot be restarted in download mode.");
        return false;
    }
    if (!transfer->RestartInDownloadMode(noWait)) {
        prompter_.error(rvt + " did not take the request to restart in download mode.");
        return false;
    }
    return true;
}

void MatrixConnection::checkType()
{
    typeSupported_ = !MatrixTransfersRefused(record_.type);
    if (typeSupported_)
        return;
    prompter_.information(UnsupportedTypeText(record_.type), HelpTopic::UnsupportedType);
    view_.enable(MainCommand::Upload, false);
    view_.enable(MainCommand::Download, false);
    view_.enable(MainCommand::RemoteControl, false);
}

void MatrixConnection::readSoftwareVersion()
{
    MatrixTransfer* transfer = transferWindow ? transferWindow() : nullptr;
    if (!transfer || interface != MatrixInterface::Serial)
        return;
    view_.showWait(true);
    transfer->mode = TransferMode::Uninterruptible;
    transfer->view().bar().setMaximum(int64_t(wire::kVersionAreaBlocks) * int64_t(wire::kBlockSize));
    transfer->view().setTextLine("Reading Software Version.");
    transfer->cancel = false;

    std::optional<std::vector<uint8_t>> area;
    if (transfer->ConnectInstrument(false) && !record_.remoteCapable) {
        std::vector<uint8_t> bytes(size_t(wire::kVersionAreaBlocks) * wire::kBlockSize);
        if (transfer->ReadMemory(wire::kCmdReadBlock, wire::kVersionArea, bytes.data(), wire::kVersionAreaBlocks))
            area = std::move(bytes);
    }
    memoryVersion_ = MatrixSoftwareVersion(area, transfer->cancel);
    transfer->mode = TransferMode::Idle;
    transfer->view().hideWindow();
    view_.hideSplash();
    view_.showWait(false);
}

bool MatrixConnection::downloadPossible() const
{
    return interface == MatrixInterface::Ext || (record_.connected && typeSupported_);
}

void MatrixConnection::imageOpened()
{
    view_.enable(MainCommand::Download, downloadPossible());
}

void MatrixConnection::enableForImage()
{
    const uint16_t version = instrumentVersion();
    view_.showImage(true);
    view_.enable(MainCommand::SaveAs, true);
    view_.enable(MainCommand::Download, downloadPossible());
    view_.enable(MainCommand::LcdOptions, version >= kVersion410);
    view_.enable(MainCommand::PresetOptions, true);
    view_.enable(MainCommand::LeqOptions, typeSupported_ && version >= kVersion500);
    view_.enable(MainCommand::LockCode, typeSupported_ && version >= kVersion510);
}

void MatrixConnection::fillTrailer()
{
    IdentityTrailer& trailer = document_.image().trailer();
    trailer = IdentityTrailer{};
    if (record_.remoteCapable) {
        trailer.serial = int32_t(record_.dot.value(DotIdentity::kSerial));
        trailer.hardwareId = uint16_t(record_.dot.value(DotIdentity::kHardwareId));
        trailer.extendedBiosVersion = uint16_t(record_.dot.value(DotIdentity::kExtendedBiosId));
        trailer.version = instrumentVersion();
    } else {
        trailer.serial = record_.serial;
        trailer.version = ImageVersionFromDecimal(memoryVersion_) & 0xFFFF;
    }
    trailer.type = record_.type;
    trailer.checksum = 0;
}

void MatrixConnection::upload()
{
    MainDisabled disabled(view_);
    if (!document_.ReplacementGuard())
        return;
    view_.showImage(false);
    view_.clearPresetList();
    for (MainCommand c : {MainCommand::Download, MainCommand::Save, MainCommand::SaveAs, MainCommand::PresetOptions})
        view_.enable(c, false);

    if (interface == MatrixInterface::Ext) {
        uploadExt();
        return;
    }
    identify();
    const bool uploaded =
        interface == MatrixInterface::Serial && record_.connected && !record_.biosMode && typeSupported_ && uploadSerial();
    if (!uploaded && document_.hasImage()) {
        // A failed or cancelled upload leaves the image that was there.
        view_.imageReplaced();
        enableForImage();
        document_.UpdateCommands();
    }
}

void MatrixConnection::acceptUploadedImage()
{
    // An uploaded image counts as modified and has no save name yet.
    ConfigImage& image = document_.image();
    document_.setHasImage(true);
    document_.forgetSaveName();
    image.setModified(true);
    view_.setField(MainField::File, "Configuration Uploaded from RVT...");
    view_.setField(MainField::Offset, OffsetStandardName(image) + " Offset");
    view_.imageReplaced();
    enableForImage();
    document_.UpdateCommands();
}

bool MatrixConnection::uploadSerial()
{
    MatrixTransfer* transfer = transferWindow();
    transfer->cancel = false;
    transfer->mode = TransferMode::Upload;
    view_.setField(MainField::File, "Uploading...");
    transfer->view().bar().setMaximum(ConfigImage::Bytes{}.size());
    transfer->view().setTextLine("Uploading Configuration.");
    transfer->view().showWindow();

    ConfigImage::Bytes bytes{};
    const bool read = transfer->ReadMemory(wire::kCmdReadBlock, kConfigBase, bytes.data(), kConfigBlocks, Verify::Yes);
    transfer->mode = TransferMode::Idle;
    transfer->view().hideWindow();
    if (transfer->cancel) {
        view_.setField(MainField::File, "Upload terminated by the user...");
        view_.setField(MainField::Offset, "");
        prompter_.error("Upload is terminated...");
        return false;
    }
    if (!read)
        return false;

    ConfigImage& image = document_.image();
    image.replace(bytes, image.trailer());
    fillTrailer();
    acceptUploadedImage();
    prompter_.information("Configuration is uploaded correctly...");
    return true;
}

void MatrixConnection::uploadExt()
{
    const std::string result = temporaryFile("memory.cod");
    std::error_code ec;
    std::filesystem::remove(result, ec);
    if (!externalProgram)
        return;
    view_.showProgressDialog("Upload.", "Please wait while uploading...");
    const bool ran = externalProgram->run("/r $1c000 128", temporaryFolder, true);
    view_.hideProgressDialog();
    if (!ran)
        return; // a missing program shows nothing
    if (!std::filesystem::exists(result, ec)) {
        prompter_.error("Error in uploading configuration...\r\rPlease check if the RVT is connected correctly.\r\rOperation is aborted...");
        return;
    }
    prompter_.information("Configuration is uploaded correctly...");
    if (LoadConfiguration(result, document_.image(), prompter_, document_.versionOverride))
        acceptUploadedImage();
    std::filesystem::remove(result, ec);
}

void MatrixConnection::offerUpgrade()
{
    ConfigImage& image = document_.image();
    const uint16_t instrument = instrumentVersion();
    OfferUpgrade(image, instrument, prompter_);
    if (forceV5Upgrade) {
        image.upgradeTo500();
        if (instrument >= kVersion510)
            image.upgradeTo510();
    }
}

void MatrixConnection::download()
{
    MainDisabled disabled(view_);
    if (interface != MatrixInterface::Ext)
        identify();
    offerUpgrade();
    if (interface == MatrixInterface::Ext)
        downloadExt();
    else if (interface == MatrixInterface::Serial && transferWindow)
        downloadSerial();
}

void MatrixConnection::downloadSerial()
{
    MatrixTransfer* transfer = transferWindow();
    if (!transfer)
        return;
    transfer->cancel = false;
    transfer->RestartInDownloadMode(false);
    clock_.sleepMs(kDownloadModePauseMs);
    if (!transfer->ConnectInstrument(true))
        return;
    transfer->mode = TransferMode::Download;
    transfer->view().bar().setMaximum(ConfigImage::Bytes{}.size());
    transfer->view().setTextLine("Downloading Configuration.");
    downloadRunning_ = true;
    const auto& bytes = document_.image().bytes();
    const bool written = transfer->WriteMemory(kConfigBase, bytes.data(), bytes.size() - 1, Verify::Yes);
    transfer->view().hideWindow();
    transfer->mode = TransferMode::Idle;
    downloadRunning_ = false;

    if (transfer->cancel) {
        if (prompter_.message(MessageKind::Warning,
                              "Download terminated by the user.\r\rTHIS IS NOT RECOMMENDED!\r\rPlease see helpfile "
                              "for further details.",
                              ButtonYesNo | ButtonNoAsHelp, Answer::Yes, HelpTopic::PresetUpgrade,
                              MessageStyle::Alarm) == Answer::No)
            prompter_.showHelp(HelpTopic::PresetUpgrade);
        restart(); // its configuration memory may be half written
        return;
    }
    restart();
    if (written)
        prompter_.information("Download complete.");
    else
        prompter_.error("The download is not complete: the RVT stopped answering.\r\rPlease check the connection and "
                        "download the configuration again.");
}

void MatrixConnection::downloadExt()
{
    if (!externalProgram)
        return;
    const std::string image = temporaryFile("memory.380");
    std::error_code ec;
    std::filesystem::remove(image, ec);
    std::string error;
    // A copy for the transfer, not a save: the trailer and the modified flag stay.
    if (!WriteFileAtomically(image, document_.image().bytes(), error)) {
        prompter_.error(error);
        return;
    }
    view_.showProgressDialog("Download.", "Please wait while downloading...");
    const bool ran = externalProgram->run("/d memory.380", temporaryFolder, true);
    view_.hideProgressDialog();
    std::filesystem::remove(image, ec);
    if (!ran) {
        // Nothing reached the instrument: no "Download complete", no reset.
        prompter_.error("The external transfer program " + externalProgram->path() +
                        " could not be started.\r\rThe configuration was not downloaded.");
        return;
    }
    if (prompter_.message(MessageKind::Confirmation, "Download complete.\r\rDo you wish to reset the RVT?",
                          ButtonYesNo, Answer::Yes) == Answer::Yes)
        restart();
}

void MatrixConnection::showMissingPort()
{
    prompter_.information("The previously used comport (" + savedPortName + ") is no longer available.\rPlease "
                          "select a different port from the Interface menu.",
                          HelpTopic::MissingPort);
}

void MatrixConnection::restart()
{
    MainDisabled disabled(view_);
    view_.showWait(true);
    const bool remote = remoteConnected();
    if (remote && !askDisconnect()) {
        view_.showWait(false);
        return;
    }
    switch (interface) {
    case MatrixInterface::Serial:
        if (MatrixTransfer* transfer = transferWindow ? transferWindow() : nullptr) {
            if (remote)
                endRemoteLocally();
            MatrixChannel& channel = transfer->channel();
            channel.binaryMode = true; // text during the restart is dropped
            channel.port().write("0");
            channel.ClearInput();
            channel.lineBuffer.clear();
            transfer->link().RestartRVT();
            clock_.sleepMs(kRestartPauseMs);
            channel.ClearInput();
            channel.binaryMode = false;
            identify();
        }
        break;
    case MatrixInterface::None:
        showMissingPort();
        break;
    case MatrixInterface::Ext:
        if (externalProgram)
            externalProgram->run("/i", {}, false);
        break;
    }
    view_.showWait(false);
}

} // namespace qv
