#pragma once

#include "matrix/macro_view.h"

#include <QString>

#include <functional>

namespace qv {

class TMacroProgressForm;

// Shows a running macro's progress in the macro progress window and, through
// `status`, in the message field of the main window's status bar.
class MacroWindowView : public MacroView {
public:
    MacroWindowView(TMacroProgressForm& form, std::function<void(const QString&)> status);

    void macroStatus(const std::string& text) override;
    void showMacroWindow(const std::string& name) override;
    void macroProgress(const std::string& line) override;
    void hideMacroWindow() override;

private:
    TMacroProgressForm& form_;
    std::function<void(const QString&)> status_;
};

} // namespace qv
