#pragma once

#include <string>

namespace qv {

// Status bar texts of a macro run.
inline std::string MacroStartedText(const std::string& name)
{
    return "Macro Started... [" + name + "]";
}
inline constexpr char kMacroStoppedText[] = "Macro stopped by user...";
inline constexpr char kMacroFinishedText[] = "Macro finished...";

// The lines of the macro progress window.
inline std::string MacroCalledText(const std::string& name)
{
    return "QV-Matrix is executing the macro called: " + name;
}
inline constexpr char kMacroStopHintText[] = "Press CTRL+F12 to stop the Macro.";
inline constexpr char kMacroStartedLine[] = "Macro Started...";
inline std::string MacroExecutingText(const std::string& message)
{
    return "Executing: " + message;
}

// Where a running macro shows its progress: the message field of the main
// window's status bar and the macro progress window.
class MacroView {
public:
    virtual ~MacroView() = default;
    virtual void macroStatus(const std::string& text) = 0;
    // Fills the window's lines (the progress line with "Macro Started...")
    // and brings it to the front.
    virtual void showMacroWindow(const std::string& name) = 0;
    virtual void macroProgress(const std::string& line) = 0;
    virtual void hideMacroWindow() = 0;
};

} // namespace qv
