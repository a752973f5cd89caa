#pragma once

#include "platform/host/serial_port.h"
#include "simulated_wire.h"

namespace qv::sim {

// A SerialPort wired to the simulated instrument. Receive notifications are
// delivered by deliverNotifications(), which the event pump calls, never
// from inside a read or write.
class SimulatedSerialPort : public SerialPort {
public:
    // Writes return once their bytes are on the line, so the clock moves on
    // by their transmission time, as with a synchronous driver.
    SimulatedSerialPort(SimulatedWire& wire, Clock& clock);

    bool open(const std::string& name) override;
    void close() override;
    // An unplugged port is gone, as a real one is after its device vanished.
    bool isOpen() const override { return usable(); }
    std::string portName() const override { return name_; }
    std::string errorText() const override;
    OpenFailure openFailure() const override { return openFailure_; }

    bool write(const uint8_t* data, size_t n) override;
    using SerialPort::write;
    int inputCount() override;
    int read(uint8_t* buffer, int n) override;
    void clear(bool input, bool output) override;

    bool setBaudRate(int baud) override;
    int baudRate() const override;

    // Notifies the receive handler when more bytes wait than at the last
    // notification, read or clear.
    void deliverNotifications();

    // Faults: an unplugged port fails open, write and read ("the port is gone").
    void setUnplugged(bool unplugged);
    // open() refuses, as with a device that another program holds.
    void setRefuseOpen(bool refuse) { refuseOpen_ = refuse; }

private:
    bool usable() const;

    SimulatedWire& wire_;
    Clock& clock_;
    bool open_ = false;
    bool unplugged_ = false;
    bool refuseOpen_ = false;
    std::string name_;
    std::string error_;
    OpenFailure openFailure_ = OpenFailure::None;
    int notifiedCount_ = 0;
};

} // namespace qv::sim
