#pragma once

#include "sim/simulated_wire.h"

#include <csignal>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv::sim {

// Serves a simulated wire on a pseudo-terminal in real time: bytes a client
// writes to the device go onto the wire, and the instrument's replies are
// written back when their arrival time has come.
class PtyServer {
public:
    PtyServer() = default;
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pseudo-terminal; false with a reason in error.
    bool open(std::string& error);
    // The device clients open, e.g. /dev/pts/3.
    const std::string& devicePath() const { return devicePath_; }
    // A slow peer: takes the client's bytes one every paceUs (0: at once),
    // so what a client writes waits on the device for a while.
    void setReadPaceUs(int paceUs) { readPaceUs_ = paceUs; }

    // Each line read from inputFd (the standard input) while serving.
    using InputLineHandler = std::function<void(const std::string& line)>;

    // Runs until stop is set (from a signal handler). With an input handler,
    // lines of inputFd go to it until it ends.
    void serve(SimulatedWire& wire, const volatile std::sig_atomic_t& stop, int inputFd = -1,
               const InputLineHandler& inputLine = {});

private:
    void takeClientBytes(SimulatedWire& wire);
    // The client's bytes the pace allows now; 0 until the next is due.
    size_t readAllowance() const;
    // False when the input has ended.
    bool takeInputLines(int fd, const InputLineHandler& inputLine);
    void giveClientBytes(SimulatedWire& wire);
    int pollTimeoutMs(SimulatedWire& wire);

    int master_ = -1;
    // Our own descriptor of the device: without it the master reports EIO
    // whenever no client has it open, and it holds the raw line settings.
    int slave_ = -1;
    std::string devicePath_;
    std::vector<uint8_t> unwritten_;
    std::string input_; // a partly read input line
    int readPaceUs_ = 0;
    int64_t nextReadUs_ = 0; // steady clock: when the next byte may be taken
};

} // namespace qv::sim
