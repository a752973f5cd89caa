#pragma once

#include <array>
#include <functional>
#include <string>

namespace qv {

class Prompter;

// The Macro menu: ten items with an assigned macro file each, "Run
// Macro...", "Stop Macro" and "Save Macro...".
inline constexpr int kMacroMenuItems = 10;
inline constexpr char kUnassignedCaption[] = "<Unassigned>";
inline constexpr char kAssignMacroQuestion[] = "Do you wish to assign a new macro to this item?";
inline constexpr char kUnassignMacroQuestion[] = "Do you wish to unassign the macro from this item?";
inline constexpr char kMacroConnectQuestion[] = "The RVT is not connected, do you wish to connect?";
inline constexpr char kMacroOpenCaption[] = "Open Macro";
inline constexpr char kMacroOpenFilter[] = "RVT Configuration-Files (*.MCR)|*.MCR|All Files (*.*)|*.*";
inline constexpr char kMacroFilesSection[] = "MacroFiles";

// The [MacroFiles] key of an item: "File#1" .. "File#9", and "File#0" for
// item 10.
std::string MacroItemKey(int item);

// Which Macro menu entries are enabled when the menu opens.
struct MacroMenuState {
    bool items = false; // items 1 to 10
    bool run = false;
    bool stop = false;
    bool save = false;
};
// busy: a macro runs or is pending; remoteMenuEnabled: an instrument with
// DOT identity is connected or connectable.
MacroMenuState MacroMenuStateFor(bool busy, bool remoteMenuEnabled, bool outputSelected);

// What choosing an item leads to outside the menu.
struct MacroMenuHooks {
    std::function<bool()> remoteConnected = [] { return false; };
    // connect(false) of remote control; true on success.
    std::function<bool()> connectRemote = [] { return false; };
    // Plays a macro now.
    std::function<void(const std::string& path)> run = [](const std::string&) {};
    // Plays a macro once remote control has read the crosspoints.
    std::function<void(const std::string& path)> setPending = [](const std::string&) {};
    // Writes [MacroFiles] MacroItemKey(item) = file into the settings file.
    std::function<bool(int item, const std::string& file)> storeFile = [](int, const std::string&) { return true; };
};

// The ten assignments, their captions and the rules of choosing an item.
class MacroMenu {
public:
    struct Keys {
        bool shift = false;
        bool deleteHeld = false;
    };

    MacroMenu(Prompter& prompter, MacroMenuHooks hooks);

    // The files read from the settings, items 1 to 10; captions follow.
    void load(const std::array<std::string, kMacroMenuItems>& files);
    const std::string& file(int item) const;
    const std::string& caption(int item) const;
    // Unassigned: the caption, cut down to letters and angle brackets, is
    // "<Unassigned>".
    bool unassigned(int item) const;

    // A menu click, shortcut or hotkey on item 1 to 10: Shift assigns,
    // Delete unassigns an item with a file, an unassigned item offers to
    // assign; otherwise the macro runs, or after a connect is made pending.
    void choose(int item, Keys keys);
    // "Run Macro...".
    void runChosen();

    // The question and the open dialog; true when a file was assigned.
    bool assign(int item);
    // The question; true when the item was unassigned.
    bool unassign(int item);

    // Called with the item whose caption changed.
    std::function<void(int item)> captionChanged;

private:
    // The macro name of an existing file; otherwise the caption stays.
    void refreshCaption(int item);
    void setCaption(int item, const std::string& caption);
    static bool valid(int item) { return item >= 1 && item <= kMacroMenuItems; }

    Prompter& prompter_;
    MacroMenuHooks hooks_;
    std::array<std::string, kMacroMenuItems> files_;
    std::array<std::string, kMacroMenuItems> captions_;
};

} // namespace qv
