#pragma once

#include <cstdint>
#include <string>

namespace qv {

// The status bar fields of QV-Matrix's main window, left to right.
enum class MainField { File, Message, Offset, Connection, Serial, Port };

// Commands whose menu entries and buttons the connection and the document
// enable and disable.
enum class MainCommand {
    Upload,
    Download,
    Restart,
    RemoteControl,
    Save,
    SaveAs,
    PresetOptions,
    LcdOptions,
    LeqOptions,
    LockCode,
};

// What the connection and the document show in the main window.
class MainView {
public:
    virtual ~MainView() = default;

    virtual void setField(MainField field, const std::string& text) = 0;
    virtual std::string field(MainField field) const = 0;
    virtual void enable(MainCommand command, bool enabled) = 0;
    virtual void setMainEnabled(bool enabled) = 0;
    // The wait window; not shown over the start-up splash.
    virtual void showWait(bool shown) = 0;
    // The wait window's text until it is hidden again.
    virtual void setWaitText(const std::string& text) = 0;
    // The grid with its label strips, scroll bars and copy and paste entries.
    virtual void showImage(bool shown) = 0;
    virtual void clearPresetList() = 0;
    // A new image: rebuild the preset list (preset 1 selected), the labels,
    // the grid and the backlight slider from it.
    virtual void imageReplaced() = 0;
    virtual void addRecentFile(const std::string& path) = 0;
    // The start-up splash while it shows: identification advances its bar,
    // the memory version read ends it.
    virtual void advanceSplash(int amount) = 0;
    virtual void hideSplash() = 0;
    // A window without buttons while an external program works.
    virtual void showProgressDialog(const std::string& caption, const std::string& text) = 0;
    virtual void hideProgressDialog() = 0;

    // --- remote control: the instrument's memory and reports in the window ---
    virtual void rebuildLabels() = 0;
    // Entries from the image, its selected preset chosen, the list enabled.
    virtual void rebuildPresetList() = 0;
    // Preset 1 to 11 in the drop-down, without asking to change it.
    virtual void selectPreset(int preset) = 0;
    virtual void enablePresetList(bool enabled) = 0;
    // Connect or Disconnect checked, and the remote button pressed or released.
    virtual void showRemoteConnected(bool connected) = 0;
    // What else follows remote control: the grid's popups and edit entries,
    // the paste entries and the backlight slider.
    virtual void setRemoteState(bool connected, uint16_t instrumentVersion, bool typeSupported) = 0;
    // The illegal pattern for software of this version.
    virtual void markIllegalCrosspoints(uint16_t version) = 0;
    // Numbers, not indices: an "AA" report and the flash of a refusal.
    virtual void crosspointReport(int output, int input, bool remote) = 0;
    virtual void flashCrosspoint(int output, int input) = 0;
};

// The main window disabled for the length of an operation.
class MainDisabled {
public:
    explicit MainDisabled(MainView& view) : view_(view) { view_.setMainEnabled(false); }
    ~MainDisabled() { view_.setMainEnabled(true); }
    MainDisabled(const MainDisabled&) = delete;
    MainDisabled& operator=(const MainDisabled&) = delete;

private:
    MainView& view_;
};

} // namespace qv
