#pragma once

#include "platform/host/progress.h"

#include <optional>
#include <string>

namespace qv {

// What the running transfer is; set by the caller for one transfer.
enum class TransferMode {
    Idle = 0,
    Download = 1,       // configuration download
    Upload = 2,         // reading from the instrument
    Uninterruptible = 3,
    Installation = 4,   // software installation
};

// The question asked before the progress window may close during a
// transfer; nothing when it closes at once.
struct CloseQuestion {
    std::string text;
    bool alarm = false; // the yellow box with red text
};
// Uninterruptible steps refuse to close, without a word.
std::optional<CloseQuestion> CloseQuestionFor(TransferMode mode);
inline bool RefusesToClose(TransferMode mode) { return mode == TransferMode::Uninterruptible; }

// QV-Matrix's progress window as the transfer engine drives it.
class TransferView {
public:
    virtual ~TransferView() = default;

    virtual std::string caption() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual std::string textLine() const = 0;
    virtual void setTextLine(const std::string& text) = 0;
    virtual Progress& bar() = 0;
    // A second bar for a caller's own steps; while shown it stands in the
    // place of the normal bar, which is hidden meanwhile.
    virtual Progress& secondBar() = 0;
    virtual void showSecondBar(bool shown) = 0;

    // The main window's caption, which the progress window takes over.
    virtual std::string mainCaption() const = 0;
    // Centred over the main window, 88 pixels high, 20 narrower than it.
    virtual void placeOverMainWindow() = 0;
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    // Repaints the main and the progress window.
    virtual void refresh() = 0;
    virtual void setBusyCursor(bool busy) = 0;
    virtual void enableMainWindow() = 0;

    // The installation window's item and overall bars follow the transfers
    // while it runs a package; nullptr the rest of the time.
    void setInstallBars(Progress* item, Progress* overall)
    {
        installItem_ = item;
        installOverall_ = overall;
    }
    Progress* installItemBar() { return installItem_; }
    Progress* installOverallBar() { return installOverall_; }
    // The splash's bar follows the transfers while it is shown.
    virtual Progress* splashBar() { return nullptr; }

private:
    Progress* installItem_ = nullptr;
    Progress* installOverall_ = nullptr;
};

} // namespace qv
