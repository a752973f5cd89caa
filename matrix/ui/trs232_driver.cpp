#include "trs232_driver.h"

#include "main_form.h"
#include "splash_form.h"
#include "platform/qt/usable_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace qv {

TRS232Driver::TRS232Driver(SerialPort& port, HostServices host, InstrumentRecord& record, const std::string& portName,
                           const std::string& trafficLog, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      mainWindow_(mainWindow),
      DSPProgressFileName(new QLabel(this)),
      DSPProgressBar(new QProgressBar(this)),
      SecondProgressBar(new QProgressBar(this)),
      bar_(DSPProgressBar),
      secondBar_(SecondProgressBar),
      channel_(port, host),
      link_(channel_, record),
      transfer_(link_, *this)
{
    setObjectName("RS232Driver");
    DSPProgressFileName->setObjectName("DSPProgressFileName");
    DSPProgressBar->setObjectName("DSPProgressBar");
    DSPProgressBar->setTextVisible(true);
    SecondProgressBar->setObjectName("SecondProgressBar");
    SecondProgressBar->setTextVisible(true);
    SecondProgressBar->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addWidget(DSPProgressFileName);
    layout->addWidget(DSPProgressBar);
    layout->addWidget(SecondProgressBar);

    WorkAroundRXFlagTimer.setObjectName("WorkAroundRXFlagTimer");
    WorkAroundRXFlagTimer.setSingleShot(true);
    connect(&WorkAroundRXFlagTimer, &QTimer::timeout, this, &TRS232Driver::WorkAroundRXFlagTimerTimer);
    channel_.startDeferralTimer = [this](int ms) { WorkAroundRXFlagTimer.start(ms); };

    channel_.init().selectPort(portName);
    channel_.init().logPath = trafficLog;
    // Quiet: the connect that follows tries again and says why it failed.
    channel_.OpenPort(true);
}

TRS232Driver::~TRS232Driver()
{
    channel_.startDeferralTimer = nullptr;
}

void TRS232Driver::WorkAroundRXFlagTimerTimer()
{
    channel_.DeferralTimerFired();
}

std::string TRS232Driver::caption() const
{
    return windowTitle().toStdString();
}

void TRS232Driver::setCaption(const std::string& caption)
{
    setWindowTitle(QString::fromStdString(caption));
}

std::string TRS232Driver::textLine() const
{
    return DSPProgressFileName->text().toStdString();
}

void TRS232Driver::setTextLine(const std::string& text)
{
    DSPProgressFileName->setText(QString::fromStdString(text));
}

std::string TRS232Driver::mainCaption() const
{
    return mainWindow_ ? mainWindow_->windowTitle().toStdString() : std::string();
}

void TRS232Driver::placeOverMainWindow()
{
    if (!mainWindow_)
        return;
    const QRect main = mainWindow_->geometry();
    const int width = std::max(main.width() - 20, 200);
    setFixedSize(width, kHeight);
    DSPProgressBar->setFixedWidth(width - 20);
    move(main.x() + (main.width() - width) / 2, main.y() + (main.height() - kHeight) / 2);
}

void TRS232Driver::showSecondBar(bool shown)
{
    SecondProgressBar->setFixedWidth(DSPProgressBar->width());
    DSPProgressBar->setVisible(!shown);
    SecondProgressBar->setVisible(shown);
}

void TRS232Driver::showEvent(QShowEvent* event)
{
    bar_.setPosition(0);
    if (mainWindow_) {
        const QRect main = mainWindow_->frameGeometry();
        move(main.x() + 10, main.y() + (main.height() - height()) / 2);
    }
    QDialog::showEvent(event);
}

void TRS232Driver::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // The main window is disabled while a transfer runs; this window stays
    // usable so it does not look dead and can be closed.
    StayUsableUnderDisabledParent(*this, event);
}

void TRS232Driver::showWindow()
{
    show();
    raise();
}

void TRS232Driver::refresh()
{
    if (mainWindow_)
        mainWindow_->update();
    update();
}

void TRS232Driver::setBusyCursor(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

namespace {

TSplashForm* ShownSplash(QWidget* mainWindow)
{
    auto* form = qobject_cast<TMainForm*>(mainWindow);
    TSplashForm* splash = form ? form->splash() : nullptr;
    return splash && splash->isVisible() ? splash : nullptr;
}

} // namespace

void TRS232Driver::enableMainWindow()
{
    // The splash keeps the main window waiting until it closes.
    if (mainWindow_ && !ShownSplash(mainWindow_))
        mainWindow_->setEnabled(true);
}

Progress* TRS232Driver::splashBar()
{
    TSplashForm* splash = ShownSplash(mainWindow_);
    return splash ? &splash->progress() : nullptr;
}

bool TRS232Driver::mayClose()
{
    if (!transfer_.MayClose())
        return false;
    if (mainWindow_) {
        mainWindow_->show();
        mainWindow_->setEnabled(true);
    }
    return true;
}

void TRS232Driver::closeEvent(QCloseEvent* event)
{
    if (!mayClose()) {
        event->ignore();
        return;
    }
    closing_ = true;
    QDialog::closeEvent(event);
    closing_ = false;
}

void TRS232Driver::reject()
{
    // Escape and the close button ask the same question once.
    if (closing_ || mayClose())
        QDialog::reject();
}

} // namespace qv
