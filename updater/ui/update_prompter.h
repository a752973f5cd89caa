#pragma once

#include "platform/qt/qt_prompter.h"

namespace qv {

// QV-Update's dialogs: the Qt ones, except that its alarm look, the
// question before an update, is a wide white box with bold red text.
// Every dialog is centred on the main window.
class UpdatePrompter : public QtPrompter {
public:
    static constexpr int kAlarmWidth = 620;

    UpdatePrompter()
    {
        setAlarmLook({QStringLiteral("QMessageBox { background-color: white; } "
                                     "QMessageBox QLabel { color: red; font-weight: bold; font-size: 10pt; }"),
                      kAlarmWidth});
    }

    void setMainWindow(QWidget* window) { setParentWidget(window); }
};

} // namespace qv
