#pragma once

#include "sim/instrument.h"
#include "sim/simulated_serial_port.h"
#include "sim/simulated_wire.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// Several host ports on one virtual clock, each wired to an instrument of
// its own (or to nothing that answers); open(name) picks the port.
class MultiPort : public qv::SerialPort {
public:
    explicit MultiPort(qv::Clock& clock) : clock_(clock) {}

    qv::sim::Instrument& add(const std::string& name, qv::sim::InstrumentOptions options = {})
    {
        auto station = std::make_unique<Station>(options, clock_);
        station->port.setReceiveHandler([this](int count) { notifyReceived(count); });
        Station& s = *stations_.emplace(name, std::move(station)).first->second;
        return s.instrument;
    }
    // A port with nothing behind it.
    void addSilent(const std::string& name)
    {
        qv::sim::InstrumentOptions o;
        o.noAnswer = true;
        add(name, o);
    }
    // A port another program holds.
    void addBusy(const std::string& name)
    {
        addSilent(name);
        stations_.at(name)->port.setRefuseOpen(true);
    }
    qv::sim::SimulatedWire& wire(const std::string& name) { return stations_.at(name)->wire; }

    // Every successful open, in order.
    std::vector<std::string> opened;

    bool open(const std::string& name) override
    {
        name_ = name;
        auto it = stations_.find(name);
        if (active_ || it == stations_.end() || !it->second->port.open(name))
            return false;
        active_ = &it->second->port;
        opened.push_back(name);
        return true;
    }
    void close() override
    {
        if (active_)
            active_->close();
        active_ = nullptr;
    }
    bool isOpen() const override { return active_ && active_->isOpen(); }
    std::string portName() const override { return name_; }
    bool write(const uint8_t* data, size_t n) override { return active_ && active_->write(data, n); }
    using SerialPort::write;
    int inputCount() override { return active_ ? active_->inputCount() : 0; }
    int read(uint8_t* buffer, int n) override { return active_ ? active_->read(buffer, n) : 0; }
    void clearInput() override
    {
        if (active_)
            active_->clearInput();
    }
    bool setBaudRate(int baud) override
    {
        baud_ = baud;
        for (auto& [name, station] : stations_)
            station->port.setBaudRate(baud);
        return true;
    }
    int baudRate() const override { return baud_; }

    // For the event pump.
    void deliverNotifications()
    {
        if (active_)
            active_->deliverNotifications();
    }

private:
    struct Station {
        Station(qv::sim::InstrumentOptions options, qv::Clock& clock)
            : instrument(options), wire(instrument, clock), port(wire, clock)
        {
        }
        qv::sim::Instrument instrument;
        qv::sim::SimulatedWire wire;
        qv::sim::SimulatedSerialPort port;
    };

    qv::Clock& clock_;
    std::map<std::string, std::unique_ptr<Station>> stations_;
    qv::sim::SimulatedSerialPort* active_ = nullptr;
    std::string name_;
    int baud_ = 9600;
};
