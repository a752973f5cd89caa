#pragma once

#include "options/about_texts.h"

#include <QDialog>
#include <QTimer>

class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace qv {

class DebugMode;
class TModuleForm;

// QV-Matrix's About box: the program's version, the connected instrument,
// a summary of the PC refreshed every second while shown, and a hidden
// diagnostic area that a double click on the logo reveals, with the
// check box that forces the 5.00 upgrade at the next download and, when
// the settings allow it, the switch of debug mode.
class TAboutForm : public QDialog {
    Q_OBJECT

public:
    static constexpr int kRefreshMs = 1000;

    // The diagnostic area is filled now; "Debug" is looked for in the
    // settings file at settingsPath when the logo is double clicked.
    TAboutForm(DebugMode& debugMode, QString settingsPath, const DiagnosticFacts& diagnostics,
               QWidget* mainWindow);

    // Shows the box, modal, for the instrument as it is now.
    void showFor(const AboutInstrument& instrument);
    void setWebAddress(const QString& address);

    bool forceV5Upgrade() const;
    bool diagnosticAreaShown() const;

    // The one-second refresh of the PC lines.
    void refreshPcLines();
    bool refreshing() const { return refresh_.isActive(); }

    // The logo's double click and the "Debug Mode." check box.
    void ImageLogoDblClick();
    void chkDebugModeClick();

signals:
    // "Set DLM": restart the instrument in download mode.
    void setDlmRequested();
    void forceV5UpgradeToggled(bool on);
    // The debug action ran: the mouse pad entry is shown from now on.
    void debugActionRun();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildHeader(QVBoxLayout* layout);
    void buildInstrument(QVBoxLayout* layout);
    void buildComputer(QVBoxLayout* layout);
    void buildDiagnostic(QVBoxLayout* layout, const DiagnosticFacts& diagnostics);
    void buildButtons(QVBoxLayout* layout);
    void runDebugAction();
    void OKButtonClick();
    void btnModulesClick();
    void lblWebLinkClick(const QString& url);

    DebugMode& debugMode_;
    QString settingsPath_;
    AboutInstrument instrument_;
    QTimer refresh_;
    QLabel* ImageLogo = nullptr;
    QLabel* instrumentLines_[9] = {};
    QLabel* lblComputer = nullptr;
    QLabel* lblWebLink = nullptr;
    QFrame* pnlDiagnostic = nullptr;
    QListWidget* lstDiagnostic = nullptr;
    QCheckBox* chkForceV5 = nullptr;
    QCheckBox* chkDebugMode = nullptr;
    QPushButton* btnSetDLM = nullptr;
    TModuleForm* modules_ = nullptr;
};

} // namespace qv
