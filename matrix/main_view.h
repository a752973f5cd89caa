#pragma once

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
    virtual void enable(MainCommand command, bool enabled) = 0;
    virtual void setMainEnabled(bool enabled) = 0;
    virtual void showWait(bool shown) = 0;
    // The grid with its label strips, scroll bars and copy and paste entries.
    virtual void showImage(bool shown) = 0;
    virtual void clearPresetList() = 0;
    // A new image: rebuild the preset list (preset 1 selected), the labels,
    // the grid and the backlight slider from it.
    virtual void imageReplaced() = 0;
    virtual void addRecentFile(const std::string& path) = 0;
    // A window without buttons while an external program works.
    virtual void showProgressDialog(const std::string& caption, const std::string& text) = 0;
    virtual void hideProgressDialog() = 0;
};

} // namespace qv
