#pragma once

#include "fuzz/fuzz_input.h"
#include "platform/host/clock.h"
#include "platform/host/event_pump.h"
#include "platform/host/scripted_prompter.h"
#include "platform/host/serial_port.h"

#include <algorithm>
#include <deque>

namespace qv::fuzz {

// A port whose peer says what the fuzz input says: a length byte, then that
// many bytes, for each piece. A piece arrives after each write (a peer that
// answers) or at each pump (a peer that talks on its own).
class AnsweringPort : public SerialPort {
public:
    enum class Pieces { OnWrite, OnPump };

    AnsweringPort(FuzzInput& input, Pieces pieces) : input_(input), pieces_(pieces) {}

    bool open(const std::string& name) override
    {
        name_ = name;
        open_ = true;
        return true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    std::string portName() const override { return name_; }
    bool write(const uint8_t*, size_t) override
    {
        if (pieces_ == Pieces::OnWrite)
            takePiece();
        return open_;
    }
    using SerialPort::write;
    int inputCount() override { return int(received_.size()); }
    int read(uint8_t* buffer, int n) override
    {
        int taken = 0;
        for (; taken < n && !received_.empty(); ++taken) {
            buffer[taken] = received_.front();
            received_.pop_front();
        }
        notified_ = std::min(notified_, int(received_.size()));
        return taken;
    }
    void clearInput() override
    {
        received_.clear();
        notified_ = 0;
    }
    bool setBaudRate(int baud) override
    {
        baud_ = baud;
        return true;
    }
    int baudRate() const override { return baud_; }

    // What the event loop does: new bytes are announced.
    void pump()
    {
        if (pieces_ == Pieces::OnPump)
            takePiece();
        if (int(received_.size()) > notified_) {
            notified_ = int(received_.size());
            notifyReceived(notified_);
        }
    }

    bool exhausted() const { return input_.empty() && received_.empty(); }

private:
    void takePiece()
    {
        for (size_t n = input_.byte(); n > 0 && !input_.empty(); --n)
            received_.push_back(input_.byte());
    }

    FuzzInput& input_;
    Pieces pieces_;
    std::deque<uint8_t> received_;
    int notified_ = 0;
    bool open_ = false;
    std::string name_;
    int baud_ = 9600;
};

// Clock, pump and prompter of a run against an AnsweringPort.
struct FuzzHost {
    explicit FuzzHost(AnsweringPort& port) { pump.add([&port] { port.pump(); }); }
    VirtualClock clock;
    CallbackEventPump pump;
    ScriptedPrompter prompter;
};

} // namespace qv::fuzz
