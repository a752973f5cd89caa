#include "macro_window_view.h"

#include "macro_progress_form.h"

namespace qv {

MacroWindowView::MacroWindowView(TMacroProgressForm& form, std::function<void(const QString&)> status)
    : form_(form), status_(std::move(status))
{
}

void MacroWindowView::macroStatus(const std::string& text)
{
    if (status_)
        status_(QString::fromStdString(text));
}

void MacroWindowView::showMacroWindow(const std::string& name)
{
    form_.showMacro(QString::fromStdString(name));
}

void MacroWindowView::macroProgress(const std::string& line)
{
    form_.setProgressLine(QString::fromStdString(line));
}

void MacroWindowView::hideMacroWindow()
{
    form_.hide();
}

} // namespace qv
