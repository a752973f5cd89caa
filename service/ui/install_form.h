#pragma once

#include "platform/qt/qt_progress.h"
#include "service/software_install.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace qv {

// "Install software.": installs a package into the connected instrument,
// with a backup of its software first when asked. Modal; it exists for the
// whole run of the program.
class TInstallForm : public QDialog, public SoftwareInstallView {
    Q_OBJECT

public:
    // chooseBiosType: the BIOS-mode type dialog, run modally.
    TInstallForm(Prompter& prompter, InstrumentRecord& record, InstallConnection connection,
                 std::function<std::optional<int>()> chooseBiosType, QWidget* mainWindow);

    SoftwareInstall& install() { return install_; }

    // Shows the window for a package (empty: none chosen yet); forCommandLine:
    // the program ends after it. Returns when the window has closed.
    void ShowFor(const QString& package, bool forCommandLine);
    void FormShow();

    // SoftwareInstallView
    void setCaption(const std::string& caption) override;
    void setItemDescription(const std::string& text) override;
    Progress& itemBar() override { return item_; }
    Progress& overallBar() override { return overall_; }
    void enableControls(bool enabled) override;
    void enableCancel(bool enabled) override;
    void setBackupName(const std::string& name) override;
    void offerBackup(bool offered) override;
    std::optional<int> chooseBiosType() override { return chooseBiosType_(); }
    void closeWindow() override { done(QDialog::Accepted); }

    void SourceButtonClick();
    void BackupCheckClick();
    void BackupButtonClick();
    void ExecuteClick();
    void CancelClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void enableBackupControls();

    Prompter& prompter_;
    std::function<std::optional<int>()> chooseBiosType_;
    QLineEdit* SourceFileName = nullptr;
    QPushButton* SourceButton = nullptr;
    QCheckBox* BackupCheck = nullptr;
    QLineEdit* BackupFileName = nullptr;
    QPushButton* BackupButton = nullptr;
    QLabel* ItemDescription = nullptr;
    QProgressBar* ItemProgress = nullptr;
    QLabel* ItemPercent = nullptr;
    QProgressBar* OverallProgress = nullptr;
    QLabel* OverallPercent = nullptr;
    QPushButton* Execute = nullptr;
    QPushButton* Cancel = nullptr;
    QtProgress item_;
    QtProgress overall_;
    bool controlsEnabled_ = false;
    SoftwareInstall install_;
};

} // namespace qv
