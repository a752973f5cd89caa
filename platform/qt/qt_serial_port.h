#pragma once

#include "platform/host/serial_port.h"

#include <QObject>
#include <QSerialPort>

namespace qv {

// A system serial port or device path through QSerialPort. Receive
// notifications come from the Qt event loop; bytes that a wait picks up
// without pumping are announced on the next pass of the loop, never from
// inside a read, a write or a count.
class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT

public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    bool open(const std::string& name) override;
    void close() override;
    bool isOpen() const override;
    std::string portName() const override { return name_; }
    std::string errorText() const override { return errorText_; }
    OpenFailure openFailure() const override { return openFailure_; }

    bool write(const uint8_t* data, size_t n) override;
    using SerialPort::write;
    int inputCount() override;
    int read(uint8_t* buffer, int n) override;
    void clearInput() override;

    // Only a closed port changes its rate; the next open uses it.
    bool setBaudRate(int baud) override;
    int baudRate() const override { return baud_; }

private:
    void portReadyRead();
    void portErrorOccurred(QSerialPort::SerialPortError error);
    void deliverDeferred();
    void takeWaitingBytes();
    // Around QSerialPort's synchronous waits.
    void beginWait();
    void endWait();
    // The device reports a hang-up: unplugged, or the peer closed it.
    bool hungUp();
    void listenAgain();
    void closeIfGone();
    bool holdInactive(bool (QSerialPort::*set)(bool));

    QSerialPort port_;
    std::string name_;
    std::string errorText_;
    OpenFailure openFailure_ = OpenFailure::None;
    int baud_ = 9600;
    bool gone_ = false;
    bool inWait_ = false;           // inside a synchronous wait of QSerialPort
    bool notificationDue_ = false;  // bytes arrived during such a wait
    qint64 availableBeforeWait_ = 0;
};

} // namespace qv
