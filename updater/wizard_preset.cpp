// Configuration files: the PRE page with what a preset file holds, and the
// download of its image into the instrument's configuration memory. The
// file itself is only ever read.
#include "update_wizard.h"

#include "preset_tree.h"
#include "config/config_file.h"
#include "config/image_version.h"
#include "config/preset_file.h"
#include "config/upgrade_offer.h"
#include "link/update_download_mode.h"
#include "link/update_link.h"
#include "link/update_transfer.h"
#include "link/version_marker.h"
#include "link/wire_protocol.h"
#include "platform/host/file_io.h"

namespace qv {

namespace {

constexpr int kConfigBlocks = int(kImageSize / wire::kBlockSize);

constexpr const char* kTerminatedText = "Download terminated by the user.";
constexpr const char* kNotCompleteText = "The download is not complete.";

// The instrument's software version in the 0xMMmm form; 0 when the
// identification found none, so that no upgrade is made for a guess.
uint32_t InstrumentImageVersion(const UpdateIdentity& identity)
{
    if (identity.softwareVersion == kUpdateVersionNotFound)
        return 0;
    return ImageVersionFromDecimal(identity.softwareVersion);
}

} // namespace

bool UpdateWizard::ShowConfigurationFile(const std::string& path)
{
    ShowPage("PRE");
    configurationPath_ = path;
    configurationValid_ = false;
    const FileRead file = ReadFileUpTo(path, kPresetFileSize);
    if (file.status == FileRead::Status::TooLarge)
        return false;
    if (file.status == FileRead::Status::NotFound) {
        prompter_.error(FileNotFoundText(path));
        return false;
    }
    if (file.status != FileRead::Status::Ok) {
        prompter_.error("The file \"" + path + "\" could not be read.\r\r" + file.error);
        return false;
    }
    const DecodedConfigFile decoded = DecodeConfigFile(file.bytes);
    if (decoded.kind == ConfigFileKind::BadSize)
        return false;
    // The image is replaced also when its check fails; it is then never sent.
    configuration_.replace(decoded.image, decoded.trailer);
    if (!decoded.valid) {
        prompter_.error(CrcErrorText(decoded.storedChecksum, decoded.computedChecksum));
        return false;
    }
    view_.showPresetTree(decoded.kind == ConfigFileKind::Raw ? UnknownConfigurationTree()
                                                              : PresetFileTree(configuration_));
    view_.panel(WizardText::PresetInfo).setText("Press Next to start the Update.");
    configurationValid_ = true;
    return true;
}

bool UpdateWizard::DownloadPresetFile(const std::string& path)
{
    // Only an image that passed its checks, read from the file the box
    // names, goes to the instrument.
    if (configurationPath_ != path)
        ShowConfigurationFile(path);
    if (!configurationValid_) {
        prompter_.error(kNotValidConfigurationText);
        return false;
    }
    view_.setBannerBusy(true);
    io_.SetIoMode(false);
    view_.panel(WizardText::PresetInfo).setText("Activating Downloadmode...");
    RestartInDownloadMode(channel_, identity_, false);
    const bool done = DownloadConfiguration();
    view_.setBannerBusy(false);
    return done;
}

bool UpdateWizard::DownloadConfiguration()
{
    StatusPanel& status = view_.panel(WizardText::PresetInfo);
    status.setText("Downloading Configuration File...");
    // Asked also in a command-line job: the choice changes what is sent.
    OfferUpgrade(configuration_, InstrumentImageVersion(identity_), prompter_);

    Progress& bar = view_.bar(WizardBar::Preset);
    bar.setMaximum(int64_t(kImageSize));
    bar.setPosition(0);
    channel_.rxMode = RxMode::Binary;
    UpdateLink link(channel_);
    view_.enable(UpdateControl::Exit, true);
    const bool written = UpdateTransfer(link).WriteBlocks(wire::kConfigBase, kConfigBlocks,
                                                          configuration_.bytes().data(), {nullptr, &bar}, Verify::Yes);
    view_.enable(UpdateControl::Exit, false);
    // The instrument leaves download mode after a Cancel too: what it holds
    // then is part old, part new configuration.
    channel_.ResetAbort();
    link.Restart();

    if (cancelRequested_) {
        status.setText(kTerminatedText);
        prompter_.message(MessageKind::Warning,
                          std::string(kTerminatedText) + "\r\rThe configuration in the instrument is incomplete.\r"
                                                         "Please download the configuration file again.");
        return false;
    }
    if (!written) {
        status.setText(kNotCompleteText);
        prompter_.error(std::string(kNotCompleteText) +
                        " The instrument stopped answering.\r\rThe configuration in the instrument may be "
                        "incomplete.\rPlease check the connection and download the configuration file again.");
        return false;
    }
    bar.setPosition(bar.maximum());
    bar.setText("100 %");
    status.setText("Done.");
    view_.setTag(UpdateControl::Next, kNextFinished);
    prompter_.information("Download complete.\rPress NEXT to continue.");
    return true;
}

} // namespace qv
