#pragma once

#include "platform/host/progress.h"

#include <cstdint>
#include <memory>
#include <string>

namespace qv {
class SerialPort;
struct HostServices;
}

namespace qvtool {

struct ToolIdentity {
    bool connected = false;
    bool bios = false;
    int type = 0;
    std::string name;
    std::string serial;
    std::string revision;
    std::string version;
};

// One program variant of the instrument link, as the service tool drives it.
// Every operation ends after a fixed number of attempts.
class ToolLink {
public:
    // Attempts per block where QV-Matrix would retry without limit.
    static constexpr int kMatrixBlockAttempts = 10;

    virtual ~ToolLink() = default;
    // Opens the port; on failure problem() says why.
    virtual bool open(const std::string& port) = 0;
    virtual ToolIdentity identify() = 0;
    virtual bool readBlocks(uint32_t address, int blocks, uint8_t* out, qv::Progress& progress) = 0;
    virtual bool writeBlocks(uint32_t address, int blocks, const uint8_t* in, qv::Progress& progress) = 0;
    virtual bool pressKey(int key) = 0;
    virtual bool restart() = 0;
    // What went wrong last, for the failure line.
    virtual std::string problem() const = 0;
};

std::unique_ptr<ToolLink> MakeMatrixToolLink(qv::SerialPort& port, qv::HostServices host, const std::string& trafficLog);
std::unique_ptr<ToolLink> MakeUpdateToolLink(qv::SerialPort& port, qv::HostServices host);

std::string FormatVersion(double version);

} // namespace qvtool
