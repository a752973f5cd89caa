#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// One serial port as the instrument link sees it. Line settings are fixed
// (8N1, no flow control, DTR and RTS inactive); only the rate can change,
// and only while the port is closed.
class SerialPort {
public:
    // Called when bytes have arrived; count is the number now waiting.
    // Delivered only while events are pumped, never from inside a write.
    using ReceiveHandler = std::function<void(int count)>;

    // Why the last open failed.
    enum class OpenFailure {
        None,
        NoDevice, // no such port
        Busy,     // the port exists but is held by another program or refused to us
        Other,
    };

    virtual ~SerialPort() = default;

    virtual bool open(const std::string& name) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Name given to the last open().
    virtual std::string portName() const = 0;
    // Why the last open failed, or that the port is gone ("" when fine).
    virtual std::string errorText() const { return {}; }
    virtual OpenFailure openFailure() const { return OpenFailure::None; }

    // Returns once the bytes have been sent (a synchronous write: reply waits
    // start at the end of the transmission); false when closed or gone.
    virtual bool write(const uint8_t* data, size_t n) = 0;
    bool write(std::string_view text)
    {
        return write(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    }
    bool writeByte(uint8_t b) { return write(&b, 1); }

    // Bytes waiting in the receive queue.
    virtual int inputCount() = 0;
    // Takes up to n waiting bytes; returns how many were taken.
    virtual int read(uint8_t* buffer, int n) = 0;
    std::string readText(int n)
    {
        std::string s(size_t(n > 0 ? n : 0), '\0');
        s.resize(size_t(read(reinterpret_cast<uint8_t*>(s.data()), n)));
        return s;
    }
    // Discards the bytes waiting in the receive queue. There is no way to
    // discard output: writes return once their bytes are on the line, and a
    // flush of the output side would drop what a slow peer (a pseudo-terminal,
    // a USB adapter) has not taken yet.
    virtual void clearInput() = 0;

    virtual bool setBaudRate(int baud) = 0;
    virtual int baudRate() const = 0;

    void setReceiveHandler(ReceiveHandler handler) { receiveHandler_ = std::move(handler); }

protected:
    void notifyReceived(int count)
    {
        if (receiveHandler_)
            receiveHandler_(count);
    }

private:
    ReceiveHandler receiveHandler_;
};

} // namespace qv
