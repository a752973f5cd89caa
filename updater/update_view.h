#pragma once

#include "status_tree.h"

#include <string>
#include <vector>

namespace qv {

// Controls of QV-Update's main window that discovery and connection drive.
enum class UpdateControl {
    PortList, // cbCPPort
    Refresh,  // btnRefresh
    Find,     // btnFind
    Open,     // btnOpen
    Next,     // btnNext
    Exit,     // btnExit
};

// btnNext tags.
inline constexpr int kNextToStart = 0;
inline constexpr int kNextToFileSelection = 1;
// btnExit tags.
inline constexpr int kExitProgram = 0;
inline constexpr int kExitCancelSearch = 2;

// What discovery and connection show in QV-Update's main window (TfrmMain).
class UpdateView {
public:
    virtual ~UpdateView() = default;

    virtual void setTitle(const std::string& title) = 0;
    // lblVer; the window keeps its separator line beside it.
    virtual void setVersionLine(const std::string& text) = 0;
    virtual void setInfo(const std::string& text) = 0; // lblInfo
    // sysTree; scrollToEnd brings its last line into view.
    virtual void showStatusTree(const StatusTree& tree, bool scrollToEnd) = 0;

    virtual void setPorts(const std::vector<std::string>& ports) = 0;
    // -1 selects nothing.
    virtual void selectPort(int index) = 0;
    // Only while the port group is showing.
    virtual void focusPortList() = 0;

    virtual void enable(UpdateControl control, bool enabled) = 0;
    virtual void setCaption(UpdateControl control, const std::string& caption) = 0;
    virtual void setTag(UpdateControl control, int tag) = 0;

    // The spinning banner: true starts it, false lets it stop at its rest frame.
    virtual void setBannerBusy(bool busy) = 0;
    virtual void setBusyCursor(bool busy) = 0;
    // The wizard goes back to its start page.
    virtual void showStartPage() = 0;
    virtual void openWebSite(const std::string& address) = 0;
};

} // namespace qv
