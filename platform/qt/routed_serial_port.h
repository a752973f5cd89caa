#pragma once

#include "platform/host/serial_port.h"

#include <memory>

namespace qv {

// The port the programs own: open(name) picks the transport by the name,
// "SIM" for the in-process simulator (when one was enabled) and a system
// port or device path for everything else, so both run through the same
// code above it.
class RoutedSerialPort : public SerialPort {
public:
    // Devices go through QtSerialPort.
    RoutedSerialPort();
    explicit RoutedSerialPort(std::unique_ptr<SerialPort> device);
    ~RoutedSerialPort() override;

    // Enables "SIM" (--simulator); nullptr disables it again.
    void setSimulator(std::unique_ptr<SerialPort> simulator);
    SerialPort* simulator() const { return simulator_.get(); }
    // True while "SIM" is the open transport.
    bool usingSimulator() const { return active_ && active_ == simulator_.get() && active_->isOpen(); }

    bool open(const std::string& name) override;
    void close() override;
    bool isOpen() const override { return active_ && active_->isOpen(); }
    std::string portName() const override { return name_; }
    std::string errorText() const override;
    OpenFailure openFailure() const override;

    bool write(const uint8_t* data, size_t n) override;
    using SerialPort::write;
    int inputCount() override;
    int read(uint8_t* buffer, int n) override;
    void clearInput() override;

    bool setBaudRate(int baud) override;
    int baudRate() const override { return baud_; }

private:
    void forwardNotifications(SerialPort& from);

    std::unique_ptr<SerialPort> device_;
    std::unique_ptr<SerialPort> simulator_;
    SerialPort* active_ = nullptr; // the transport of the last open
    std::string name_;
    std::string errorText_;
    int baud_ = 9600;
};

} // namespace qv
