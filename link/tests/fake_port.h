#pragma once

#include "platform/host/serial_port.h"

#include <string>
#include <vector>

// A port whose received bytes the test supplies; notify() plays the
// driver's receive notification.
class FakePort : public qv::SerialPort {
public:
    bool open(const std::string& name) override
    {
        name_ = name;
        open_ = !refuse;
        return open_;
    }
    OpenFailure openFailure() const override { return open_ ? OpenFailure::None : refusal; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    std::string portName() const override { return name_; }
    bool write(const uint8_t* data, size_t n) override
    {
        written.append(reinterpret_cast<const char*>(data), n);
        return open_;
    }
    using qv::SerialPort::write;
    int inputCount() override { return int(input.size()); }
    int read(uint8_t* buffer, int n) override
    {
        int taken = std::min(n, int(input.size()));
        std::copy(input.begin(), input.begin() + taken, buffer);
        input.erase(0, size_t(taken));
        return taken;
    }
    void clearInput() override { input.clear(); }
    bool setBaudRate(int baud) override
    {
        baud_ = baud;
        return true;
    }
    int baudRate() const override { return baud_; }

    // Bytes arrive and the driver says so.
    void receive(const std::string& bytes)
    {
        input += bytes;
        notifyReceived(int(input.size()));
    }

    std::string input;
    std::string written;
    bool refuse = false;
    OpenFailure refusal = OpenFailure::NoDevice; // why a refused open failed

private:
    std::string name_;
    bool open_ = false;
    int baud_ = 9600;
};
