#pragma once

#include "config/config_image.h"
#include "config/preset_file.h"
#include "main_view.h"
#include "platform/host/prompter.h"

#include <functional>
#include <string>

namespace qv {

// The configuration the user edits, with its file operations: Open, Save,
// Save As and the guard that runs before anything replaces the image.
class ConfigDocument {
public:
    static constexpr const char* kOpenFilter = "RVT Configuration-Files (*.PRE)|*.PRE|All Files (*.*)|*.*";
    static constexpr const char* kSaveFilter =
        "RVT Configuration-Files (*.PRE)|*.PRE|Raw Configuration File (*.380)|*.380|All Files (*.*)|*.*";

    ConfigDocument(ConfigImage& image, MainView& view, Prompter& prompter);

    ConfigImage& image() { return image_; }
    const std::string& saveName() const { return saveName_; }
    void forgetSaveName() { saveName_.clear(); }
    bool hasImage() const { return hasImage_; }
    void setHasImage(bool has) { hasImage_ = has; }

    // Remote control, when connected, asks to disconnect first; false refuses.
    std::function<bool()> releaseRemoteControl;
    VersionOverride versionOverride;

    // True when the image may be replaced: remote control released, and
    // changes saved or discarded.
    bool ReplacementGuard();
    // Opens path, or asks for one when it is empty.
    bool Open(const std::string& path = {});
    // A recent-file entry: only the reader's own messages, and the list keeps
    // its order.
    bool OpenRecent(const std::string& path);
    bool Save();
    // False when the user cancelled or the write failed.
    bool SaveAs();
    // Enables Save and Save As by the state of the image.
    void UpdateCommands();

private:
    bool SaveTo(const std::string& path);
    bool Load(const std::string& path, bool fromRecentList);

    ConfigImage& image_;
    MainView& view_;
    Prompter& prompter_;
    std::string saveName_;
    bool hasImage_ = false;
};

// The name Save As writes for the chosen filter (1 preset, 2 raw, 3 as typed).
std::string SaveAsName(const std::string& typed, int filterIndex);

} // namespace qv
