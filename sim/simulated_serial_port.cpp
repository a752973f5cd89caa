#include "simulated_serial_port.h"

namespace qv::sim {

namespace {

const char* const kGoneText = "The device has been removed: the port is gone.";
const char* const kRefusedText = "The port is in use by another application.";
const char* const kAlreadyOpenText = "The port is already open.";

} // namespace

SimulatedSerialPort::SimulatedSerialPort(SimulatedWire& wire, Clock& clock) : wire_(wire), clock_(clock) {}

bool SimulatedSerialPort::open(const std::string& name)
{
    name_ = name;
    if (open_) {
        error_ = kAlreadyOpenText;
        openFailure_ = OpenFailure::Other;
        return false;
    }
    if (unplugged_ || refuseOpen_) {
        error_ = unplugged_ ? kGoneText : kRefusedText;
        openFailure_ = unplugged_ ? OpenFailure::NoDevice : OpenFailure::Busy;
        return false;
    }
    error_.clear();
    openFailure_ = OpenFailure::None;
    open_ = true;
    // What reached a closed port was never received.
    wire_.hostClear(true, false);
    notifiedCount_ = 0;
    return true;
}

void SimulatedSerialPort::close()
{
    open_ = false;
}

std::string SimulatedSerialPort::errorText() const
{
    return unplugged_ ? kGoneText : error_;
}

bool SimulatedSerialPort::usable() const
{
    return open_ && !unplugged_;
}

bool SimulatedSerialPort::write(const uint8_t* data, size_t n)
{
    if (!usable())
        return false;
    clock_.sleepUs(wire_.hostWrite(data, n));
    return true;
}

int SimulatedSerialPort::inputCount()
{
    return usable() ? wire_.hostAvailable() : 0;
}

int SimulatedSerialPort::read(uint8_t* buffer, int n)
{
    if (!usable())
        return 0;
    const int taken = wire_.hostRead(buffer, n);
    notifiedCount_ = wire_.hostAvailable();
    return taken;
}

void SimulatedSerialPort::clear(bool input, bool output)
{
    if (!usable())
        return;
    wire_.hostClear(input, output);
    notifiedCount_ = wire_.hostAvailable();
}

bool SimulatedSerialPort::setBaudRate(int baud)
{
    if (open_ || baud <= 0)
        return false;
    wire_.setBaudRate(baud);
    return true;
}

int SimulatedSerialPort::baudRate() const
{
    return wire_.baudRate();
}

void SimulatedSerialPort::deliverNotifications()
{
    if (!usable())
        return;
    const int available = wire_.hostAvailable();
    const bool news = available > notifiedCount_;
    // Set before the handler runs: it may read, which lowers the count.
    notifiedCount_ = available;
    if (news)
        notifyReceived(available);
}

void SimulatedSerialPort::setUnplugged(bool unplugged)
{
    unplugged_ = unplugged;
}

} // namespace qv::sim
