#include "pty_server.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace qv::sim {

namespace {

// Longest sleep of the loop: keeps pacing within a couple of byte times.
constexpr int kMaxPollMs = 2;
// A client that stops reading loses what does not fit, as a real port overruns.
constexpr size_t kMaxUnwritten = 64 * 1024;
// Longer input is not a command.
constexpr size_t kMaxInputLine = 1024;

int64_t nowUs()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string systemError(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

PtyServer::~PtyServer()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

bool PtyServer::open(std::string& error)
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error = systemError("posix_openpt");
        return false;
    }
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = systemError("grantpt/unlockpt");
        return false;
    }
    const char* name = ptsname(master_);
    if (!name) {
        error = systemError("ptsname");
        return false;
    }
    devicePath_ = name;
    slave_ = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        error = systemError(devicePath_.c_str());
        return false;
    }
    termios settings{};
    if (tcgetattr(slave_, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(slave_, TCSANOW, &settings);
    }
    const int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    return true;
}

void PtyServer::serve(SimulatedWire& wire, const volatile std::sig_atomic_t& stop, int inputFd,
                      const InputLineHandler& inputLine)
{
    // A pseudo-terminal delivers at once; only the replies are paced.
    wire.setHostPacing(false);
    if (!inputLine)
        inputFd = -1;
    while (!stop) {
        // A paced reader looks at the device in its own time, not when bytes come.
        const bool paced = readPaceUs_ > 0;
        pollfd fds[2] = {{master_, short(paced ? 0 : POLLIN), 0}, {inputFd, POLLIN, 0}};
        const int ready = ::poll(fds, inputFd >= 0 ? 2 : 1, pollTimeoutMs(wire));
        if (paced || (ready > 0 && (fds[0].revents & POLLIN)))
            takeClientBytes(wire);
        if (ready > 0 && inputFd >= 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)))
            if (!takeInputLines(inputFd, inputLine))
                inputFd = -1;
        giveClientBytes(wire);
    }
}

bool PtyServer::takeInputLines(int fd, const InputLineHandler& inputLine)
{
    char buffer[256];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return true;
    if (n <= 0)
        return false;
    input_.append(buffer, size_t(n));
    for (size_t end; (end = input_.find('\n')) != std::string::npos;) {
        std::string line = input_.substr(0, end);
        input_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        inputLine(line);
    }
    if (input_.size() > kMaxInputLine)
        input_.clear();
    return true;
}

int PtyServer::pollTimeoutMs(SimulatedWire& wire)
{
    const int64_t us = wire.usUntilNextHostByte();
    if (us < 0)
        return kMaxPollMs;
    return int(std::min<int64_t>((us + 999) / 1000, kMaxPollMs));
}

size_t PtyServer::readAllowance() const
{
    constexpr size_t kAll = 512;
    if (readPaceUs_ <= 0)
        return kAll;
    const int64_t now = nowUs();
    if (now < nextReadUs_)
        return 0;
    // A reader that fell behind catches up.
    return std::min<size_t>(kAll, size_t(1 + (now - nextReadUs_) / readPaceUs_));
}

void PtyServer::takeClientBytes(SimulatedWire& wire)
{
    uint8_t buffer[512];
    for (size_t allowed; (allowed = readAllowance()) > 0;) {
        const ssize_t n = ::read(master_, buffer, std::min(allowed, sizeof buffer));
        if (n <= 0) {
            // Idle: the pace starts again with the next bytes.
            nextReadUs_ = nowUs();
            return;
        }
        wire.hostWrite(buffer, size_t(n));
        nextReadUs_ += n * int64_t(readPaceUs_);
    }
}

void PtyServer::giveClientBytes(SimulatedWire& wire)
{
    uint8_t buffer[512];
    int n = 0;
    while ((n = wire.hostRead(buffer, int(sizeof buffer))) > 0)
        unwritten_.insert(unwritten_.end(), buffer, buffer + n);
    while (!unwritten_.empty()) {
        const ssize_t written = ::write(master_, unwritten_.data(), unwritten_.size());
        if (written <= 0)
            break;
        unwritten_.erase(unwritten_.begin(), unwritten_.begin() + written);
    }
    if (unwritten_.size() > kMaxUnwritten)
        unwritten_.clear();
}

} // namespace qv::sim
