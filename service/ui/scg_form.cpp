#include "scg_form.h"

#include "lcd_pictures.h"
#include "lcd_view.h"
#include "platform/host/prompter.h"

#include <QAction>
#include <QButtonGroup>
#include <QClipboard>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>

namespace qv {

namespace {

QPushButton* NewButton(const char* name, const char* text, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QRect ToQRect(const LcdRect& rect)
{
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

constexpr const char* kNoSerialTip = "Choose a serial port in the Interface menu of the main window first.";

} // namespace

TfrmSCG::TfrmSCG(Prompter& prompter, EventPump& pump, ScreenGrab::TransferWindow transferWindow,
                 std::function<void()> restart, std::function<void()> about, QWidget* mainWindow)
    : QMainWindow(mainWindow, Qt::Window),
      prompter_(prompter),
      pump_(pump),
      mainWindow_(mainWindow),
      grab_(*this, prompter, std::move(transferWindow)),
      capture_(LcdImageOf(LcdPicture())),
      backdrop_(BackdropPicture())
{
    setObjectName("frmSCG");
    setWindowTitle(kCaption);
    buildMenus(restart, about);
    setCentralWidget(buildControls());

    StatusPanel = new QLabel(this);
    StatusPanel->setObjectName("StatusPanel");
    OffsetPanel = new QLabel(this);
    OffsetPanel->setObjectName("OffsetPanel");
    FilePanel = new QLabel(this);
    FilePanel->setObjectName("FilePanel");
    statusBar()->addWidget(StatusPanel, 2);
    statusBar()->addWidget(OffsetPanel, 1);
    statusBar()->addWidget(FilePanel, 3);

    LCD->setPicture(backdrop_);
    showSelection();
    enableSelection(true);
    if (mainWindow_)
        mainWindow_->installEventFilter(this);
}

TfrmSCG::~TfrmSCG()
{
    if (mainWindow_)
        mainWindow_->removeEventFilter(this);
}

void TfrmSCG::buildMenus(const std::function<void()>& restart, const std::function<void()>& about)
{
    const auto add = [this](QMenu* menu, const char* name, const char* text, QKeySequence key = {}) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        return action;
    };
    QMenu* file = menuBar()->addMenu("File");
    mnuUploadLCD = add(file, "mnuUploadLCD", "Upload LCD", QKeySequence(Qt::CTRL | Qt::Key_U));
    connect(mnuUploadLCD, &QAction::triggered, this, &TfrmSCG::UploadButtonClick);
    connect(add(file, "mnuOpenRamData", "Open RAM-Data...", QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, &TfrmSCG::OpenRamDataClick);
    mnuSaveRamData = add(file, "mnuSaveRamData", "Save RAM-Data As...");
    connect(mnuSaveRamData, &QAction::triggered, this, &TfrmSCG::SaveRamDataAsClick);
    mnuSaveBitmap = add(file, "mnuSaveBitmap", "Save Bitmap As...", QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(mnuSaveBitmap, &QAction::triggered, this, &TfrmSCG::SaveBitmapAsClick);
    mnuSaveRamData->setEnabled(false);
    mnuSaveBitmap->setEnabled(false);
    file->addSeparator();
    connect(add(file, "mnuRestart", "Restart", QKeySequence(Qt::CTRL | Qt::Key_I)), &QAction::triggered, this,
            restart);
    file->addSeparator();
    connect(add(file, "mnuClose", "Close"), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu("Edit");
    connect(add(edit, "mnuCopy", "Copy to Clipboard"), &QAction::triggered, this, &TfrmSCG::CopyToClipboardClick);
    QMenu* help = menuBar()->addMenu("Help");
    connect(add(help, "mnuAbout", "About..."), &QAction::triggered, this, about);
}

QWidget* TfrmSCG::buildControls()
{
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    auto* LCDPanel = new QFrame(central);
    LCDPanel->setObjectName("LCDPanel");
    LCDPanel->setFrameShape(QFrame::Panel);
    LCDPanel->setFrameShadow(QFrame::Sunken);
    auto* panelLayout = new QVBoxLayout(LCDPanel);
    panelLayout->setContentsMargins(2, 2, 2, 2);
    LCD = new LcdView(LCDPanel);
    LCD->setObjectName("LCD");
    panelLayout->addWidget(LCD);
    layout->addWidget(LCDPanel, 0, Qt::AlignTop);
    connect(LCD, &LcdView::pressed, this, &TfrmSCG::LCDMouseDown);
    connect(LCD, &LcdView::moved, this, &TfrmSCG::LCDMouseMove);
    connect(LCD, &LcdView::released, this, &TfrmSCG::LCDMouseUp);
    TempImage = new QLabel(central);
    TempImage->setObjectName("TempImage");
    TempImage->hide();

    auto* side = new QVBoxLayout;
    UploadButton = NewButton("UploadButton", "Upload LCD", central);
    Button1 = NewButton("Button1", "Upload Menu Area", central);
    SelectButton = NewButton("SelectButton", "Upload Selection", central);
    connect(UploadButton, &QPushButton::clicked, this, &TfrmSCG::UploadButtonClick);
    connect(Button1, &QPushButton::clicked, this, &TfrmSCG::Button1Click);
    connect(SelectButton, &QPushButton::clicked, this, &TfrmSCG::SelectButtonClick);
    for (QPushButton* b : {UploadButton, Button1, SelectButton})
        side->addWidget(b);
    side->addWidget(buildSelection());
    side->addWidget(buildScreenSource());
    side->addWidget(buildCommands("gbInstrumentCommands", "Instrument commands.", btnFreeze, "btnFreeze", "Freeze",
                                  btnReset, "btnReset", "Reset"));
    // The DOT pair: in view here, so that a frozen display can be let go.
    side->addWidget(buildCommands("gbCommands", "Commands.", Button3, "Button3", "Freeze", Button4, "Button4",
                                  "UnFreeze"));
    side->addStretch();
    connect(btnFreeze, &QPushButton::clicked, this, [this] { grab_.Freeze(); });
    connect(btnReset, &QPushButton::clicked, this, [this] { grab_.Reset(); });
    connect(Button3, &QPushButton::clicked, this, [this] { grab_.DotFreeze(); });
    connect(Button4, &QPushButton::clicked, this, [this] { grab_.DotUnFreeze(); });
    layout->addLayout(side);
    return central;
}

QGroupBox* TfrmSCG::buildSelection()
{
    gbSelection = new QGroupBox("Selection.", this);
    gbSelection->setObjectName("gbSelection");
    auto* form = new QFormLayout(gbSelection);
    const struct {
        QSpinBox*& box;
        const char* name;
        const char* edit;
        const char* label;
        int maximum;
        LcdSelection::Field field;
    } fields[] = {
        {udTop, "udTop", "editTop", "Top:", kLcdHeight, LcdSelection::Field::Top},
        {udBot, "udBot", "editBot", "Bottom:", kLcdHeight, LcdSelection::Field::Bottom},
        {udLeft, "udLeft", "editLeft", "Left:", kLcdWidth, LcdSelection::Field::Left},
        {udRight, "udRight", "editRight", "Right:", kLcdWidth, LcdSelection::Field::Right},
    };
    for (const auto& f : fields) {
        f.box = new QSpinBox(gbSelection);
        f.box->setObjectName(QString::fromLatin1(f.name));
        f.box->findChild<QLineEdit*>()->setObjectName(QString::fromLatin1(f.edit));
        f.box->setRange(0, f.maximum);
        form->addRow(QString::fromLatin1(f.label), f.box);
        connect(f.box, &QSpinBox::valueChanged, this, [this, field = f.field](int value) { EditChange(field, value); });
    }
    return gbSelection;
}

QGroupBox* TfrmSCG::buildScreenSource()
{
    gbScreenSource = new QGroupBox("Screen Source.", this);
    gbScreenSource->setObjectName("gbScreenSource");
    auto* layout = new QVBoxLayout(gbScreenSource);
    auto* group = new QButtonGroup(gbScreenSource);
    for (int s = 0; s < kScreenCount; ++s) {
        rbScreen[s] = new QRadioButton(QStringLiteral("Screen #%1.").arg(s + 1), gbScreenSource);
        rbScreen[s]->setObjectName(QStringLiteral("rbScreen%1").arg(s + 1));
        group->addButton(rbScreen[s]);
        layout->addWidget(rbScreen[s]);
    }
    return gbScreenSource;
}

QGroupBox* TfrmSCG::buildCommands(const char* name, const char* title, QPushButton*& first, const char* firstName,
                                  const char* firstText, QPushButton*& second, const char* secondName,
                                  const char* secondText)
{
    auto* box = new QGroupBox(QString::fromLatin1(title), this);
    box->setObjectName(QString::fromLatin1(name));
    auto* layout = new QHBoxLayout(box);
    first = NewButton(firstName, firstText, box);
    second = NewButton(secondName, secondText, box);
    layout->addWidget(first);
    layout->addWidget(second);
    return box;
}

void TfrmSCG::FormShow(int instrumentType, bool serialInterface)
{
    instrumentType_ = instrumentType;
    serialInterface_ = serialInterface;
    const bool threeScreens = instrumentType == kThreeScreenType;
    gbScreenSource->setEnabled(threeScreens);
    rbScreen[0]->group()->setExclusive(false);
    for (int s = 0; s < kScreenCount; ++s)
        rbScreen[s]->setChecked(threeScreens && s == 0);
    rbScreen[0]->group()->setExclusive(true);
    for (QWidget* w : std::initializer_list<QWidget*>{UploadButton, Button1, btnFreeze, btnReset, Button3, Button4}) {
        w->setEnabled(serialInterface);
        w->setToolTip(serialInterface ? QString() : QString::fromLatin1(kNoSerialTip));
    }
    mnuUploadLCD->setEnabled(serialInterface);
    enableSelection(true);
    show();
    raise();
    activateWindow();
}

void TfrmSCG::showEvent(QShowEvent* event)
{
    setEnabled(true);
    holdingMain_ = true;
    if (mainWindow_)
        mainWindow_->setEnabled(false);
    QMainWindow::showEvent(event);
}

void TfrmSCG::hideEvent(QHideEvent* event)
{
    holdingMain_ = false;
    if (mainWindow_)
        mainWindow_->setEnabled(true);
    QMainWindow::hideEvent(event);
}

void TfrmSCG::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // It disables the main window and would go with it: a window may stay
    // enabled under a disabled parent. Disabled for an upload it stays so.
    if (event->type() == QEvent::EnabledChange && !isEnabled() && !testAttribute(Qt::WA_ForceDisabled))
        setEnabled(true);
}

bool TfrmSCG::eventFilter(QObject* watched, QEvent* event)
{
    // Whatever enables the main window meanwhile (a finished transfer, a
    // restart), it stays disabled while this window shows.
    if (watched == mainWindow_ && event->type() == QEvent::EnabledChange && holdingMain_ && mainWindow_->isEnabled())
        mainWindow_->setEnabled(false);
    return QMainWindow::eventFilter(watched, event);
}

ScreenSource TfrmSCG::chosenSource() const
{
    for (int s = 0; s < kScreenCount; ++s)
        if (rbScreen[s]->isChecked())
            return ScreenSourceFor(instrumentType_, s + 1);
    return ScreenSourceFor(instrumentType_, 0);
}

void TfrmSCG::upload(const LcdRect& rect)
{
    selection_.set(rect);
    showSelection();
    enableSelection(true);
    SelectButtonClick();
}

void TfrmSCG::UploadButtonClick()
{
    upload(kWholeScreen);
}

void TfrmSCG::Button1Click()
{
    upload(kMenuArea);
}

void TfrmSCG::SelectButtonClick()
{
    grab_.setSource(chosenSource());
    grab_.UploadSelection(selection_.rect());
}

void TfrmSCG::showCapture(bool fromFile)
{
    capture_ = LcdImageOf(DecodeVideoMemory(grab_.buffer(), grab_.source().stride, pump_));
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!grab_.selectionMode()) {
        const QImage shown = capture_.convertToFormat(QImage::Format_RGB32);
        LCD->setPicture(shown);
        LCD->setOutline({});
        if (fromFile)
            clipboard->setImage(shown);
    } else {
        const QRect rect = ToQRect(selection_.rect());
        QImage shown = backdrop_;
        QPainter painter(&shown);
        painter.drawImage(rect.topLeft(), capture_, rect);
        painter.end();
        LCD->setPicture(shown);
        if (!rect.isEmpty()) {
            const QImage crop = capture_.copy(rect);
            TempImage->setPixmap(QPixmap::fromImage(crop));
            clipboard->setImage(crop);
        }
        LCD->setOutline(rect);
    }
    mnuSaveRamData->setEnabled(true);
    mnuSaveBitmap->setEnabled(true);
}

void TfrmSCG::setStatus(const std::string& text)
{
    StatusPanel->setText(QString::fromStdString(text));
}

void TfrmSCG::clearOffset()
{
    OffsetPanel->clear();
}

void TfrmSCG::setFileName(const std::string& path)
{
    FilePanel->setText(QString::fromStdString(path));
}

void TfrmSCG::OpenRamDataClick()
{
    grab_.setSource(chosenSource());
    grab_.OpenRamData();
}

void TfrmSCG::SaveRamDataAsClick()
{
    grab_.SaveRamDataAs();
}

void TfrmSCG::SaveBitmapAsClick()
{
    bool png = false;
    const auto path = grab_.ChooseBitmapName(png);
    if (!path)
        return;
    QString error;
    if (!WritePicture(capture_, QString::fromStdString(*path), png ? "PNG" : "BMP", error)) {
        prompter_.error(CannotCreateText(*path, error.toStdString()));
        return;
    }
    setFileName(*path);
}

void TfrmSCG::CopyToClipboardClick()
{
    QGuiApplication::clipboard()->setImage(LCD->picture());
}

void TfrmSCG::LCDMouseDown(QPoint at)
{
    LCD->setOutline({});
    selection_.press(at.x(), at.y());
}

void TfrmSCG::LCDMouseMove(QPoint at)
{
    selection_.move(at.x(), at.y());
    showSelection();
}

void TfrmSCG::LCDMouseUp(QPoint at)
{
    selection_.move(at.x(), at.y());
    selection_.release();
    showSelection();
    enableSelection(true);
}

void TfrmSCG::EditChange(LcdSelection::Field field, int value)
{
    if (selection_.dragging() || showingFields_)
        return;
    selection_.edit(field, value);
    showSelection();
    enableSelection(false);
}

void TfrmSCG::showSelection()
{
    const LcdRect& rect = selection_.rect();
    showingFields_ = true;
    udTop->setValue(rect.top);
    udBot->setValue(rect.bottom);
    udLeft->setValue(rect.left);
    udRight->setValue(rect.right);
    showingFields_ = false;
    LCD->setOutline(ToQRect(rect));
    const auto plan = PlanUpload(rect, chosenSource().stride);
    OffsetPanel->setText(plan ? QStringLiteral("Offset $%1").arg(chosenSource().base + plan->startOffset, 0, 16)
                              : QString());
}

void TfrmSCG::enableSelection(bool group)
{
    // A typed value can empty the rectangle; the fields stay for mending it.
    SelectButton->setEnabled(serialInterface_ && selection_.usable());
    if (group)
        gbSelection->setEnabled(selection_.usable());
}

} // namespace qv
