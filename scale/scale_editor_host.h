#pragma once

#include "scale/scale_table.h"

#include <string>

namespace qv {

class MatrixTransfer;

// What the scale editor needs of the program it runs in: the instrument,
// remote control, the loaded configuration, the main window and the
// settings.
class ScaleEditorHost {
public:
    virtual ~ScaleEditorHost() = default;

    // The last identification found the instrument.
    virtual bool instrumentIdentified() const = 0;
    // The instrument answered the text identity query: it takes the request
    // to restart in download mode, so it must be restarted afterwards.
    virtual bool liveLink() const = 0;
    // The transfer engine of the chosen port; nullptr without a serial
    // interface.
    virtual MatrixTransfer* transferWindow() = 0;
    // The main window's restart, which identifies the instrument again.
    virtual void restartInstrument() = 0;

    virtual bool remoteControlOn() const = 0;
    // Asks to end remote control; false when the user keeps it.
    virtual bool releaseRemoteControl() = 0;

    // A configuration is loaded and shown.
    virtual bool configurationLoaded() const = 0;
    // Stores the table into the loaded configuration's scale slot of keyNo
    // (0 to 9), which then counts as modified.
    virtual void insertScale(int keyNo, const ScaleTable& table) = 0;

    virtual void setMainWindowEnabled(bool enabled) = 0;

    // The settings' "QV-Scale" "LastScaleFile".
    virtual std::string lastScaleFile() const = 0;
    virtual void setLastScaleFile(const std::string& path) = 0;
};

} // namespace qv
