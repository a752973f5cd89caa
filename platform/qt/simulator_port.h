#pragma once

#include "platform/host/clock.h"
#include "platform/host/serial_port.h"
#include "sim/instrument.h"
#include "sim/simulated_serial_port.h"
#include "sim/simulated_wire.h"

#include <QObject>
#include <QTimer>

namespace qv {

// The "SIM" port: the simulated instrument in this process, paced in real
// time. A timer hands its receive notifications to the event loop the way
// a serial driver's would arrive.
class SimulatorPort : public QObject, public SerialPort {
    Q_OBJECT

public:
    static constexpr int kNotifyIntervalMs = 2;

    explicit SimulatorPort(sim::InstrumentOptions options = {}, QObject* parent = nullptr);

    bool open(const std::string& name) override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }
    std::string portName() const override { return port_.portName(); }
    std::string errorText() const override { return port_.errorText(); }
    OpenFailure openFailure() const override { return port_.openFailure(); }

    bool write(const uint8_t* data, size_t n) override { return port_.write(data, n); }
    using SerialPort::write;
    int inputCount() override { return port_.inputCount(); }
    int read(uint8_t* buffer, int n) override { return port_.read(buffer, n); }
    void clearInput() override { port_.clearInput(); }

    bool setBaudRate(int baud) override { return port_.setBaudRate(baud); }
    int baudRate() const override { return port_.baudRate(); }

    sim::Instrument& instrument() { return instrument_; }
    sim::SimulatedSerialPort& simulatedPort() { return port_; }

private:
    SteadyClock clock_;
    sim::Instrument instrument_;
    sim::SimulatedWire wire_{instrument_, clock_};
    sim::SimulatedSerialPort port_{wire_, clock_};
    QTimer notifyTimer_;
};

} // namespace qv
