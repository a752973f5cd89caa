#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace qv::test {

// The controlling side of a pseudo-terminal pair; the port under test
// opens path(), the test talks through this side.
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ >= 0 && grantpt(fd_) == 0 && unlockpt(fd_) == 0)
            if (const char* name = ptsname(fd_))
                path_ = name;
    }
    ~PseudoTerminal() { hangUp(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool valid() const { return fd_ >= 0 && !path_.empty(); }
    const std::string& path() const { return path_; }

    bool send(const std::vector<uint8_t>& bytes) const
    {
        return ::write(fd_, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    }

    // Everything that arrives until `count` bytes are in or the time is up.
    std::vector<uint8_t> receive(size_t count, int timeoutMs = 2000) const
    {
        std::vector<uint8_t> out;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (out.size() < count && std::chrono::steady_clock::now() < end) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0)
                continue;
            uint8_t buffer[256];
            ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n > 0)
                out.insert(out.end(), buffer, buffer + n);
        }
        return out;
    }

    // Closing this side is what an unplugged adapter looks like to the port.
    void hangUp()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
    std::string path_;
};

} // namespace qv::test
