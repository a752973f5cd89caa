#pragma once

#include "config/config_image.h"
#include "config_document.h"
#include "external_program.h"
#include "link/instrument_record.h"
#include "link/matrix_transfer.h"
#include "main_view.h"

#include <functional>
#include <string>

namespace qv {

// How QV-Matrix reaches the instrument.
enum class MatrixInterface {
    None,   // the saved port is missing
    Serial, // through the instrument link on a port
    Ext,    // through the external transfer program
};

// QV-Matrix's view of the connected instrument: identify, the memory
// version read, upload, download with the upgrade offer, and restart, on
// the serial interface or through the external transfer program.
class MatrixConnection {
public:
    static constexpr uint32_t kConfigBase = 0x1C000;
    static constexpr int kConfigBlocks = 128;
    static constexpr int kDownloadModePauseMs = 1000;
    static constexpr int kRestartPauseMs = 1500;

    MatrixConnection(ConfigDocument& document, InstrumentRecord& record, MainView& view, Prompter& prompter,
                     Clock& clock);

    // The transfer window of the serial interface: created, with its port
    // open, on first use; nullptr when there is no serial interface.
    std::function<MatrixTransfer*()> transferWindow;
    ExternalProgram* externalProgram = nullptr;
    std::string temporaryFolder;

    // Remote control: a restart asks to end it, then ends it locally.
    std::function<bool()> remoteConnected = [] { return false; };
    std::function<bool()> askDisconnect = [] { return true; };
    std::function<void()> endRemoteLocally = [] {};

    MatrixInterface interface = MatrixInterface::None;
    std::string savedPortName;   // for the "no longer available" message
    bool skipDotIdentityOnce = false;
    bool installationStarting = false;
    bool forceV5Upgrade = false; // "Force V5 Preset Upgrade." of the About box

    bool connected() const { return record_.connected; }
    bool typeSupported() const { return typeSupported_; }
    bool dotIdentityKnown() const { return record_.remoteCapable; }
    // Item 7 of the DOT identity; 0 until one was received.
    uint16_t instrumentVersion() const;
    double memoryVersion() const { return memoryVersion_; }
    bool downloadRunning() const { return downloadRunning_; }

    void identify();
    void readSoftwareVersion();
    // An image opened from a file: Download follows the connection.
    void imageOpened();

    // "/DLM" and "/I": the port opened and the instrument identified
    // without the text query, quietly (the windows are hidden; a failure is
    // told by the identify that follows). False when nothing answered.
    bool connectForSwitch();
    // "/DLM" (noWait: the program ends at once) and the About box's
    // "Set DLM": the text information first, since only running software
    // that answers it takes the request. False, after saying why, when the
    // instrument cannot be put into download mode.
    bool enterDownloadMode(bool noWait);
    void upload();
    void download();
    void restart();

private:
    void setNotConnected();
    void checkType();
    bool downloadPossible() const;
    void enableForImage();
    void fillTrailer();
    bool uploadSerial();
    void acceptUploadedImage();
    void uploadExt();
    void offerUpgrade();
    void downloadSerial();
    void downloadExt();
    void showMissingPort();
    std::string temporaryFile(const char* name) const;

    ConfigDocument& document_;
    InstrumentRecord& record_;
    MainView& view_;
    Prompter& prompter_;
    Clock& clock_;
    bool typeSupported_ = false;
    double memoryVersion_ = 1.0;
    bool downloadRunning_ = false;
};

} // namespace qv
