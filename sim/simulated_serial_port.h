#pragma once

#include "platform/host/serial_port.h"
#include "simulated_wire.h"

namespace qv::sim {

// A SerialPort wired to the simulated instrument. Receive notifications are
// delivered by deliverNotifications(), which the event pump calls, never
// from inside a read or write.
class SimulatedSerialPort : public SerialPort {
public:
    explicit SimulatedSerialPort(SimulatedWire& wire);

    bool open(const std::string& name) override;
    void close() override;
    bool isOpen() const override { return open_; }
    std::string portName() const override { return name_; }
    std::string errorText() const override;

    bool write(const uint8_t* data, size_t n) override;
    using SerialPort::write;
    int inputCount() override;
    int read(uint8_t* buffer, int n) override;
    void clear(bool input, bool output) override;

    bool setBaudRate(int baud) override;
    int baudRate() const override;

    // Notifies the receive handler when bytes arrived since the last call.
    void deliverNotifications();

    // Faults: an unplugged port fails open, write and read ("the port is gone").
    void setUnplugged(bool unplugged);
    // Names that open() refuses, as a busy or missing device would.
    void setRefuseOpen(bool refuse) { refuseOpen_ = refuse; }

private:
    SimulatedWire& wire_;
    bool open_ = false;
    bool unplugged_ = false;
    bool refuseOpen_ = false;
    std::string name_;
    int notifiedCount_ = 0;
};

} // namespace qv::sim
