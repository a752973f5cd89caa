#pragma once

#include <QString>
#include <QWidget>

class QLabel;

namespace qv {

// The macro progress window: borderless, on top of every window, centred
// over the main window, with three centred bold lines: the macro's name,
// how to stop it, and what it is doing. It never takes the focus, so the
// main window's Ctrl+F12 keeps working while it is shown.
class TMacroProgressForm : public QWidget {
    Q_OBJECT

public:
    explicit TMacroProgressForm(QWidget* mainWindow = nullptr);

    // Fills the lines (progress "Macro Started..."), centres the window over
    // the main window and shows it in front.
    void showMacro(const QString& name);
    void setProgressLine(const QString& text);
    // A hotkey brings a shown window back to the front; a hidden one stays hidden.
    void bringToFront();

    QString nameLine() const;
    QString stopLine() const;
    QString progressLine() const;

private:
    QLabel* addLine(const char* objectName);
    void centreOverMainWindow();

    QWidget* mainWindow_ = nullptr;
    QLabel* lblMacroName = nullptr;
    QLabel* lblStopMacro = nullptr;
    QLabel* lblProgress = nullptr;
};

} // namespace qv
