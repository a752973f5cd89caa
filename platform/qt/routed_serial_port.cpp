#include "routed_serial_port.h"

#include "platform/host/port_names.h"
#include "qt_serial_port.h"

namespace qv {

RoutedSerialPort::RoutedSerialPort() : RoutedSerialPort(std::make_unique<QtSerialPort>()) {}

RoutedSerialPort::RoutedSerialPort(std::unique_ptr<SerialPort> device) : device_(std::move(device))
{
    forwardNotifications(*device_);
}

RoutedSerialPort::~RoutedSerialPort()
{
    close();
}

void RoutedSerialPort::forwardNotifications(SerialPort& from)
{
    from.setReceiveHandler([this, &from](int count) {
        if (active_ == &from)
            notifyReceived(count);
    });
}

void RoutedSerialPort::setSimulator(std::unique_ptr<SerialPort> simulator)
{
    if (active_ && active_ == simulator_.get()) {
        active_->close();
        active_ = nullptr;
    }
    simulator_ = std::move(simulator);
    if (simulator_)
        forwardNotifications(*simulator_);
}

bool RoutedSerialPort::open(const std::string& name)
{
    close();
    name_ = name;
    errorText_.clear();
    active_ = nullptr;
    SerialPort* target = device_.get();
    if (name == kSimulatorPortName) {
        if (!simulator_) {
            errorText_ = "The simulated instrument is available only with --simulator";
            return false;
        }
        target = simulator_.get();
    }
    active_ = target;
    target->setBaudRate(baud_);
    return target->open(name);
}

void RoutedSerialPort::close()
{
    if (active_)
        active_->close();
}

SerialPort::OpenFailure RoutedSerialPort::openFailure() const
{
    if (active_)
        return active_->openFailure();
    return errorText_.empty() ? OpenFailure::None : OpenFailure::NoDevice;
}

std::string RoutedSerialPort::errorText() const
{
    return active_ ? active_->errorText() : errorText_;
}

bool RoutedSerialPort::write(const uint8_t* data, size_t n)
{
    return active_ && active_->write(data, n);
}

int RoutedSerialPort::inputCount()
{
    return active_ ? active_->inputCount() : 0;
}

int RoutedSerialPort::read(uint8_t* buffer, int n)
{
    return active_ ? active_->read(buffer, n) : 0;
}

void RoutedSerialPort::clearInput()
{
    if (active_)
        active_->clearInput();
}

bool RoutedSerialPort::setBaudRate(int baud)
{
    if (isOpen() || baud <= 0)
        return false;
    baud_ = baud;
    return true;
}

} // namespace qv
