#include "about_form.h"

#include "matrix/ui/file_type_icons.h"
#include "matrix/ui/matrix_settings.h"
#include "matrix/ui/matrix_version.h"
#include "module_form.h"
#include "options/debug_mode.h"
#include "dialog_support.h"
#include "platform/qt/pc_facts_reader.h"
#include "platform/qt/program_settings.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {

constexpr int kLogoSize = 64;
constexpr int kWidth = 470;
constexpr int kDiagnosticHeight = 220;

const char* const kInstrumentLineNames[] = {"lblRVTType",  "lblSerial",          "lblSoftware",
                                            "lblDOTSupport", "lblHardwareID",     "lblHardwareVersion",
                                            "lblFirmware", "lblBIOS",            "lblExtendedBIOS"};

QString Lines(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const std::string& line : lines)
        out << QString::fromStdString(line);
    return out.join(QLatin1Char('\n'));
}

QLabel* AddLabel(QLayout* layout, QWidget* parent, const char* name, const QString& text = {})
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    layout->addWidget(label);
    return label;
}

} // namespace

TAboutForm::TAboutForm(DebugMode& debugMode, QString settingsPath, const DiagnosticFacts& diagnostics,
                       QWidget* mainWindow)
    : QDialog(mainWindow), debugMode_(debugMode), settingsPath_(std::move(settingsPath))
{
    setObjectName("AboutForm");
    setWindowTitle("About...");
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    buildHeader(layout);
    buildInstrument(layout);
    buildComputer(layout);
    buildButtons(layout);
    buildDiagnostic(layout, diagnostics);

    refresh_.setInterval(kRefreshMs);
    connect(&refresh_, &QTimer::timeout, this, &TAboutForm::refreshPcLines);
    modules_ = new TModuleForm(this);
}

void TAboutForm::buildHeader(QVBoxLayout* layout)
{
    ImageLogo = new QLabel(this);
    ImageLogo->setObjectName("ImageLogo");
    ImageLogo->setPixmap(QPixmap::fromImage(DrawQvIcon(QvIcon::Program, kLogoSize)));
    ImageLogo->setFixedSize(kLogoSize + 8, kLogoSize + 8);
    ImageLogo->setAlignment(Qt::AlignCenter);
    ImageLogo->installEventFilter(this);

    auto* texts = new QVBoxLayout;
    QLabel* title = AddLabel(texts, this, "lblTitle", "QV-Matrix.");
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    title->setFont(font);
    AddLabel(texts, this, "lblVersion", QStringLiteral("Software Version  v. 1.4 "));
    AddLabel(texts, this, "lblBuild", "Build: " + MatrixVersionText());
    lblWebLink = AddLabel(texts, this, "lblWebLink");
    lblWebLink->setTextInteractionFlags(Qt::TextBrowserInteraction);
    connect(lblWebLink, &QLabel::linkActivated, this, &TAboutForm::lblWebLinkClick);
    setWebAddress({});
    texts->addStretch();

    auto* header = new QHBoxLayout;
    header->addWidget(ImageLogo, 0, Qt::AlignTop);
    header->addSpacing(8);
    header->addLayout(texts, 1);
    layout->addLayout(header);
}

void TAboutForm::buildInstrument(QVBoxLayout* layout)
{
    auto* group = new QGroupBox("RVT.", this);
    group->setObjectName("gbInstrument");
    auto* lines = new QVBoxLayout(group);
    lines->setSpacing(2);
    for (int k = 0; k < 9; ++k)
        instrumentLines_[k] = AddLabel(lines, group, kInstrumentLineNames[k]);
    layout->addWidget(group);
}

void TAboutForm::buildComputer(QVBoxLayout* layout)
{
    auto* group = new QGroupBox("PC.", this);
    group->setObjectName("gbComputer");
    auto* lines = new QVBoxLayout(group);
    lblComputer = AddLabel(lines, group, "lblComputer");
    lblComputer->setMinimumWidth(kWidth - 40);
    lblComputer->setWordWrap(true);
    layout->addWidget(group);
}

void TAboutForm::buildButtons(QVBoxLayout* layout)
{
    auto* btnModules = new QPushButton("Modules...", this);
    btnModules->setObjectName("btnModules");
    connect(btnModules, &QPushButton::clicked, this, &TAboutForm::btnModulesClick);
    btnSetDLM = new QPushButton("Set DLM", this);
    btnSetDLM->setObjectName("btnSetDLM");
    btnSetDLM->setVisible(debugMode_.on());
    debugMode_.watch([button = QPointer<QPushButton>(btnSetDLM)](bool on) {
        if (button)
            button->setVisible(on);
    });
    connect(btnSetDLM, &QPushButton::clicked, this, &TAboutForm::setDlmRequested);
    auto* OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TAboutForm::OKButtonClick);

    auto* row = new QHBoxLayout;
    row->addWidget(btnModules);
    row->addWidget(btnSetDLM);
    row->addStretch();
    row->addWidget(OKButton);
    layout->addLayout(row);
}

void TAboutForm::buildDiagnostic(QVBoxLayout* layout, const DiagnosticFacts& diagnostics)
{
    pnlDiagnostic = new QFrame(this);
    pnlDiagnostic->setObjectName("pnlDiagnostic");
    auto* area = new QVBoxLayout(pnlDiagnostic);
    area->setContentsMargins(0, 0, 0, 0);
    lstDiagnostic = new QListWidget(pnlDiagnostic);
    lstDiagnostic->setObjectName("lstDiagnostic");
    lstDiagnostic->setSelectionMode(QAbstractItemView::NoSelection);
    lstDiagnostic->setFixedHeight(kDiagnosticHeight);
    QFont font("Monospace");
    font.setStyleHint(QFont::TypeWriter);
    lstDiagnostic->setFont(font);
    for (const std::string& line : DiagnosticLines(diagnostics))
        lstDiagnostic->addItem(QString::fromStdString(line));
    area->addWidget(lstDiagnostic);

    chkForceV5 = new QCheckBox("Force V5 Preset Upgrade.", pnlDiagnostic);
    chkForceV5->setObjectName("chkForceV5");
    connect(chkForceV5, &QCheckBox::toggled, this, &TAboutForm::forceV5UpgradeToggled);
    chkDebugMode = new QCheckBox("Debug Mode.", pnlDiagnostic);
    chkDebugMode->setObjectName("chkDebugMode");
    chkDebugMode->setVisible(false);
    connect(chkDebugMode, &QCheckBox::clicked, this, &TAboutForm::chkDebugModeClick);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(chkForceV5);
    boxes->addWidget(chkDebugMode);
    boxes->addStretch();
    area->addLayout(boxes);
    pnlDiagnostic->setVisible(false);
    layout->addWidget(pnlDiagnostic);
}

void TAboutForm::setWebAddress(const QString& address)
{
    lblWebLink->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                            .arg(WebAddressUrl(address).toString().toHtmlEscaped(),
                                 WebAddressCaption(address).toHtmlEscaped()));
    lblWebLink->setVisible(!address.isEmpty());
}

void TAboutForm::lblWebLinkClick(const QString& url)
{
    QDesktopServices::openUrl(QUrl(url));
    // A visited link turns purple.
    lblWebLink->setText(lblWebLink->text().replace(QStringLiteral("<a href"),
                                                   QStringLiteral("<a style=\"color: purple\" href")));
}

void TAboutForm::showFor(const AboutInstrument& instrument)
{
    instrument_ = instrument;
    const AboutInstrumentLines lines = InstrumentLines(instrument);
    const std::string* texts[] = {&lines.type,       &lines.serial,   &lines.software,
                                  &lines.dotSupport, &lines.hardwareId, &lines.hardwareVersion,
                                  &lines.firmware,   &lines.bios,     &lines.extendedBios};
    for (int k = 0; k < 9; ++k)
        instrumentLines_[k]->setText(QString::fromStdString(*texts[k]));
    ShowOverParent(*this);
}

void TAboutForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    refreshPcLines();
    refresh_.start();
}

void TAboutForm::hideEvent(QHideEvent* event)
{
    refresh_.stop();
    QDialog::hideEvent(event);
}

void TAboutForm::refreshPcLines()
{
    lblComputer->setText(Lines(PcLines(ReadPcFacts())));
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ImageLogo && event->type() == QEvent::MouseButtonDblClick) {
        ImageLogoDblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutForm::ImageLogoDblClick()
{
    if (DebugSetting(settingsPath_))
        runDebugAction();
    pnlDiagnostic->setVisible(true);
    chkForceV5->setVisible(true);
}

void TAboutForm::chkDebugModeClick()
{
    runDebugAction();
}

void TAboutForm::runDebugAction()
{
    debugMode_.set(chkDebugMode->isChecked());
    chkDebugMode->setVisible(true);
    emit debugActionRun();
}

void TAboutForm::OKButtonClick()
{
    pnlDiagnostic->setVisible(false);
    accept();
}

void TAboutForm::btnModulesClick()
{
    modules_->showFor(instrument_.dot);
}

bool TAboutForm::forceV5Upgrade() const
{
    return chkForceV5->isChecked();
}

bool TAboutForm::diagnosticAreaShown() const
{
    return pnlDiagnostic->isVisible();
}

} // namespace qv
