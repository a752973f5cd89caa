#include "qt_serial_port.h"

#include "platform/host/port_names.h"

#include <QDeadlineTimer>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <termios.h>
#endif

namespace qv {

namespace {

// Margin on top of the line time of a write before it counts as stuck.
constexpr int kWriteMarginMs = 1000;

std::string reason(QSerialPort::SerialPortError error, const QString& detail)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return "no such device";
    case QSerialPort::PermissionError:
        return "access denied or the port is in use (" + detail.toStdString() + ")";
    case QSerialPort::OpenError:
        return "the port is already open";
    default:
        return detail.toStdString();
    }
}

SerialPort::OpenFailure failureOf(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return SerialPort::OpenFailure::NoDevice;
    case QSerialPort::PermissionError: // held by another program (lock, exclusive open) or access denied
        return SerialPort::OpenFailure::Busy;
    default:
        return SerialPort::OpenFailure::Other;
    }
}

} // namespace

QtSerialPort::QtSerialPort(QObject* parent) : QObject(parent)
{
    connect(&port_, &QSerialPort::readyRead, this, &QtSerialPort::portReadyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::portErrorOccurred);
}

QtSerialPort::~QtSerialPort()
{
    close();
}

bool QtSerialPort::open(const std::string& name)
{
    close();
    name_ = name;
    errorText_.clear();
    openFailure_ = OpenFailure::None;
    gone_ = false;

    const std::string device = portDevicePath(name);
    port_.setPortName(QString::fromStdString(device));
    port_.setBaudRate(baud_);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        const std::string where = device == name ? name : name + " (" + device + ")";
        errorText_ = "Unable to open " + where + ": " + reason(port_.error(), port_.errorString());
        openFailure_ = failureOf(port_.error());
        port_.clearError();
        return false;
    }
    if (!holdInactive(&QSerialPort::setDataTerminalReady) || !holdInactive(&QSerialPort::setRequestToSend)) {
        errorText_ = "Unable to set the control lines of " + name + ": " + port_.errorString().toStdString();
        openFailure_ = OpenFailure::Other;
        port_.close();
        return false;
    }
    port_.clearError();
    return true;
}

// A pseudo-terminal has no modem lines; that is no reason to fail.
bool QtSerialPort::holdInactive(bool (QSerialPort::*set)(bool))
{
    if ((port_.*set)(false))
        return true;
    const bool unsupported = port_.error() == QSerialPort::UnsupportedOperationError;
    port_.clearError();
    return unsupported;
}

void QtSerialPort::close()
{
    if (port_.isOpen())
        port_.close();
    notificationDue_ = false;
}

bool QtSerialPort::isOpen() const
{
    return port_.isOpen() && !gone_;
}

bool QtSerialPort::write(const uint8_t* data, size_t n)
{
    closeIfGone();
    if (!isOpen())
        return false;
    if (n == 0)
        return true;

    const int lineMs = int(int64_t(n) * 10 * 1000 / baud_);
    QDeadlineTimer deadline(lineMs + kWriteMarginMs);
    beginWait();
    bool ok = port_.write(reinterpret_cast<const char*>(data), qint64(n)) == qint64(n);
    while (ok && !gone_ && port_.bytesToWrite() > 0) {
        if (deadline.hasExpired() || !port_.waitForBytesWritten(int(deadline.remainingTime())))
            ok = port_.bytesToWrite() == 0;
    }
#ifdef Q_OS_UNIX
    // The protocol times its replies from the end of the transmission, as
    // with a synchronous driver: return only once the bytes are on the line.
    if (ok && !gone_)
        ::tcdrain(int(port_.handle()));
#endif
    endWait();
    return ok && isOpen();
}

int QtSerialPort::inputCount()
{
    takeWaitingBytes();
    return isOpen() ? int(port_.bytesAvailable()) : 0;
}

int QtSerialPort::read(uint8_t* buffer, int n)
{
    takeWaitingBytes();
    if (!isOpen() || n <= 0)
        return 0;
    const qint64 got = port_.read(reinterpret_cast<char*>(buffer), n);
    return got > 0 ? int(got) : 0;
}

void QtSerialPort::clearInput()
{
    closeIfGone();
    if (isOpen())
        port_.clear(QSerialPort::Input);
}

bool QtSerialPort::setBaudRate(int baud)
{
    closeIfGone();
    if (port_.isOpen() || baud <= 0)
        return false;
    baud_ = baud;
    return true;
}

// QSerialPort moves bytes from the device only while events run or inside
// its own waits; a zero wait lets polling loops that pump nothing see them.
void QtSerialPort::takeWaitingBytes()
{
    closeIfGone();
    if (!isOpen())
        return;
    beginWait();
    port_.waitForReadyRead(0);
    endWait();
}

void QtSerialPort::beginWait()
{
    inWait_ = true;
    availableBeforeWait_ = port_.bytesAvailable();
}

// QSerialPort announces bytes taken inside its waits only when the wait
// does not run in a receive handler; announcing every growth from the loop
// keeps a reply's last bytes from lying unannounced.
void QtSerialPort::endWait()
{
    inWait_ = false;
    if (port_.isOpen() && port_.bytesAvailable() > availableBeforeWait_ && !notificationDue_) {
        notificationDue_ = true;
        QMetaObject::invokeMethod(this, &QtSerialPort::deliverDeferred, Qt::QueuedConnection);
    }
    closeIfGone();
}

void QtSerialPort::portReadyRead()
{
    if (inWait_)
        return; // endWait() announces them
    notifyReceived(int(port_.bytesAvailable()));
}

void QtSerialPort::deliverDeferred()
{
    if (!notificationDue_)
        return;
    notificationDue_ = false;
    if (isOpen() && port_.bytesAvailable() > 0)
        notifyReceived(int(port_.bytesAvailable()));
}

void QtSerialPort::portErrorOccurred(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError)
        return;
    if (gone_ || !port_.isOpen())
        return;
    if (!hungUp()) {
        // A read notification that came after one of our own waits had
        // already taken the bytes: an empty read, not an unplugged port.
        // QSerialPort stops listening after some of these; listen again.
        port_.clearError();
        QMetaObject::invokeMethod(this, &QtSerialPort::listenAgain, Qt::QueuedConnection);
        return;
    }
    // Unplugged or hung up. Closing inside QSerialPort's own call chain is
    // not safe, so the close happens on the way out or on the next loop.
    gone_ = true;
    errorText_ = "The port " + name_ + " is gone: " + port_.errorString().toStdString();
    QMetaObject::invokeMethod(this, &QtSerialPort::closeIfGone, Qt::QueuedConnection);
}

void QtSerialPort::listenAgain()
{
    // Setting the buffer size restarts QSerialPort's read notifications.
    if (port_.isOpen())
        port_.setReadBufferSize(port_.readBufferSize());
}

bool QtSerialPort::hungUp()
{
#ifdef Q_OS_UNIX
    pollfd p{int(port_.handle()), POLLIN, 0};
    return ::poll(&p, 1, 0) < 0 || (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#else
    return true;
#endif
}

void QtSerialPort::closeIfGone()
{
    if (gone_ && !inWait_ && port_.isOpen())
        port_.close();
}

} // namespace qv
