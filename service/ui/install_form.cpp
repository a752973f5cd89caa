#include "install_form.h"

#include "platform/host/prompter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {

QProgressBar* Bar(QWidget* parent, const char* name)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setTextVisible(false);
    bar->setRange(0, 0);
    return bar;
}

QLabel* Percent(QWidget* parent, const char* name)
{
    auto* label = new QLabel(QStringLiteral("0 %"), parent);
    label->setObjectName(name);
    label->setMinimumWidth(40);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

TInstallForm::TInstallForm(Prompter& prompter, InstrumentRecord& record, InstallConnection connection,
                           std::function<std::optional<int>()> chooseBiosType, QWidget* mainWindow)
    : QDialog(mainWindow), prompter_(prompter), chooseBiosType_(std::move(chooseBiosType)),
      SourceFileName(new QLineEdit(this)), SourceButton(new QPushButton(QStringLiteral(". . ."), this)),
      BackupCheck(new QCheckBox(QStringLiteral("Create a backup of the software in the RVT."), this)),
      BackupFileName(new QLineEdit(this)), BackupButton(new QPushButton(QStringLiteral(". . ."), this)),
      ItemDescription(new QLabel(this)), ItemProgress(Bar(this, "ItemProgress")),
      ItemPercent(Percent(this, "ItemPercent")), OverallProgress(Bar(this, "OverallProgress")),
      OverallPercent(Percent(this, "OverallPercent")), Execute(new QPushButton(QStringLiteral("Execute"), this)),
      Cancel(new QPushButton(QStringLiteral("Cancel"), this)), item_(ItemProgress, ItemPercent),
      overall_(OverallProgress, OverallPercent), install_(*this, prompter, record, std::move(connection))
{
    setObjectName(QStringLiteral("InstallForm"));
    setWindowTitle(QString::fromLatin1(SoftwareInstall::kCaption));
    setModal(true);
    SourceFileName->setObjectName(QStringLiteral("SourceFileName"));
    SourceButton->setObjectName(QStringLiteral("SourceButton"));
    BackupCheck->setObjectName(QStringLiteral("BackupCheck"));
    BackupCheck->setChecked(true);
    BackupFileName->setObjectName(QStringLiteral("BackupFileName"));
    BackupButton->setObjectName(QStringLiteral("BackupButton"));
    ItemDescription->setObjectName(QStringLiteral("ItemDescription"));
    Execute->setObjectName(QStringLiteral("Execute"));
    Cancel->setObjectName(QStringLiteral("Cancel"));
    for (QPushButton* button : {SourceButton, BackupButton})
        button->setFixedWidth(32);
    // The hints show the whole path, however narrow the edit.
    for (QLineEdit* edit : {SourceFileName, BackupFileName})
        connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) { edit->setToolTip(text); });

    auto* source = new QGroupBox(QStringLiteral("Select software package to install."), this);
    auto* sourceRow = new QHBoxLayout(source);
    sourceRow->addWidget(SourceFileName);
    sourceRow->addWidget(SourceButton);

    auto* backup = new QGroupBox(QStringLiteral("Backup old software."), this);
    auto* backupLayout = new QGridLayout(backup);
    backupLayout->addWidget(BackupCheck, 0, 0, 1, 2);
    backupLayout->addWidget(BackupFileName, 1, 0);
    backupLayout->addWidget(BackupButton, 1, 1);

    auto* progress = new QGroupBox(QStringLiteral("Progress."), this);
    auto* progressLayout = new QGridLayout(progress);
    progressLayout->addWidget(ItemDescription, 0, 0, 1, 2);
    progressLayout->addWidget(ItemProgress, 1, 0);
    progressLayout->addWidget(ItemPercent, 1, 1);
    progressLayout->addWidget(new QLabel(QStringLiteral("Overall Progress."), progress), 2, 0, 1, 2);
    progressLayout->addWidget(OverallProgress, 3, 0);
    progressLayout->addWidget(OverallPercent, 3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Execute);
    buttons->addWidget(Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(source);
    layout->addWidget(backup);
    layout->addWidget(progress);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    connect(SourceButton, &QPushButton::clicked, this, &TInstallForm::SourceButtonClick);
    connect(BackupCheck, &QCheckBox::clicked, this, &TInstallForm::BackupCheckClick);
    connect(BackupButton, &QPushButton::clicked, this, &TInstallForm::BackupButtonClick);
    connect(Execute, &QPushButton::clicked, this, &TInstallForm::ExecuteClick);
    connect(Cancel, &QPushButton::clicked, this, &TInstallForm::CancelClick);
}

void TInstallForm::ShowFor(const QString& package, bool forCommandLine)
{
    setProperty("tag", forCommandLine ? 1 : 0);
    install_.commandLine = forCommandLine;
    if (!package.isEmpty())
        SourceFileName->setText(package);
    show();
    FormShow();
    exec();
}

void TInstallForm::FormShow()
{
    setWindowTitle(QString::fromLatin1(SoftwareInstall::kCaption));
    install_.Show();
}

void TInstallForm::setCaption(const std::string& caption)
{
    setWindowTitle(QString::fromStdString(caption));
}

void TInstallForm::setItemDescription(const std::string& text)
{
    ItemDescription->setText(QString::fromStdString(text));
}

void TInstallForm::enableBackupControls()
{
    const bool on = controlsEnabled_ && BackupCheck->isEnabled() && BackupCheck->isChecked();
    BackupFileName->setEnabled(on);
    BackupButton->setEnabled(on);
}

void TInstallForm::enableControls(bool enabled)
{
    controlsEnabled_ = enabled;
    SourceFileName->setEnabled(enabled);
    SourceButton->setEnabled(enabled);
    Execute->setEnabled(enabled);
    Execute->setProperty("tag", enabled ? 0 : 1);
    if (!enabled)
        BackupCheck->setEnabled(false);
    enableBackupControls();
}

void TInstallForm::offerBackup(bool offered)
{
    if (!offered)
        BackupCheck->setChecked(false);
    BackupCheck->setEnabled(offered);
    enableBackupControls();
}

void TInstallForm::enableCancel(bool enabled)
{
    Cancel->setEnabled(enabled);
}

void TInstallForm::setBackupName(const std::string& name)
{
    BackupFileName->setText(QString::fromStdString(name));
}

void TInstallForm::SourceButtonClick()
{
    if (const auto name = install_.ChooseSource())
        SourceFileName->setText(QString::fromStdString(*name));
}

void TInstallForm::BackupCheckClick()
{
    enableBackupControls();
}

void TInstallForm::BackupButtonClick()
{
    if (const auto name = install_.ChooseBackup())
        BackupFileName->setText(QString::fromStdString(*name));
}

void TInstallForm::ExecuteClick()
{
    install_.Execute(SourceFileName->text().toStdString(), BackupCheck->isChecked(),
                     BackupFileName->text().toStdString());
}

void TInstallForm::CancelClick()
{
    if (install_.Cancel()) {
        install_.Closed();
        done(QDialog::Rejected);
    }
}

void TInstallForm::closeEvent(QCloseEvent* event)
{
    // Closing while a package goes in is the Cancel button's question.
    if (install_.running()) {
        event->ignore();
        CancelClick();
        return;
    }
    install_.Closed();
    QDialog::closeEvent(event);
}

void TInstallForm::reject()
{
    CancelClick();
}

void TInstallForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        prompter_.showHelp(SoftwareInstall::kHelpTopic);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace qv
