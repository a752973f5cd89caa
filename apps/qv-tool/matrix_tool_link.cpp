#include "link/headless_transfer_view.h"
#include "link/identity_tables.h"
#include "link/matrix_transfer.h"
#include "link/matrix_link.h"
#include "link/version_marker.h"
#include "link/wire_protocol.h"
#include "tool_link.h"

#include <cstdio>
#include <vector>

namespace qvtool {

namespace {

class MatrixToolLink : public ToolLink {
public:
    MatrixToolLink(qv::SerialPort& port, qv::HostServices host, const std::string& trafficLog)
        : channel_(port, host), link_(channel_, record_)
    {
        channel_.init().logPath = trafficLog;
    }

    bool open(const std::string& port) override
    {
        channel_.init().selectPort(port);
        return channel_.OpenPort();
    }

    bool connect()
    {
        transfer_.quiet = true;
        if (transfer_.ConnectInstrument(true))
            return true;
        problem_ = "No instrument found.";
        return false;
    }

    ToolIdentity identify() override
    {
        ToolIdentity id;
        id.connected = connect();
        if (!id.connected)
            return id;
        id.bios = record_.biosMode;
        id.type = record_.biosMode ? 13 : record_.type;
        id.name = qv::TypeName(qv::Program::Matrix, id.type);
        id.serial = record_.serialText;
        if (record_.revision)
            id.revision = std::string(1, record_.revision);
        if (!record_.biosMode) {
            std::vector<uint8_t> area(size_t(qv::wire::kVersionAreaBlocks) * qv::wire::kBlockSize);
            qv::BasicProgress quiet;
            std::optional<std::vector<uint8_t>> read;
            if (readBlocks(qv::wire::kVersionArea, qv::wire::kVersionAreaBlocks, area.data(), quiet))
                read = area;
            id.version = FormatVersion(qv::MatrixSoftwareVersion(read, false));
        }
        return id;
    }

    bool readBlocks(uint32_t address, int blocks, uint8_t* out, qv::Progress& progress) override
    {
        progress.setMaximum(int64_t(blocks) * 128);
        progress.setPosition(0);
        for (int k = 0; k < blocks; ++k) {
            const uint32_t at = address + uint32_t(k) * 128;
            if (!retryBlock([&] {
                    return link_.WriteBDMAaddr(at) && link_.ReadBDMA(qv::wire::kCmdReadBlock, 128, out + size_t(k) * 128);
                })) {
                problem_ = blockProblem("read", at);
                return false;
            }
            progress.advance(128);
        }
        return true;
    }

    bool writeBlocks(uint32_t address, int blocks, const uint8_t* in, qv::Progress& progress) override
    {
        if (!connect())
            return false;
        // The instrument takes blocks only with its protect flag set.
        auto flag = link_.ReadProtectFlag();
        if (flag.ok && flag.reply == 0)
            link_.ToggleProtectFlag();
        progress.setMaximum(int64_t(blocks) * 128);
        progress.setPosition(0);
        for (int k = 0; k < blocks; ++k) {
            const uint32_t at = address + uint32_t(k) * 128;
            if (!retryBlock([&] {
                    if (!link_.WriteBDMAaddr(at))
                        return false;
                    channel_.host().clock.sleepMs(1);
                    return link_.WriteBDMA(128, in + size_t(k) * 128);
                }, true)) {
                problem_ = blockProblem("write", at);
                return false;
            }
            progress.advance(128);
        }
        return true;
    }

    bool pressKey(int key) override
    {
        if (!link_.PressKey(uint8_t(key))) {
            problem_ = "the instrument did not take key " + std::to_string(key);
            return false;
        }
        return true;
    }

    bool restart() override
    {
        if (!link_.RestartRVT()) {
            problem_ = "the instrument did not acknowledge the restart";
            return false;
        }
        return true;
    }

    std::string problem() const override { return problem_; }

private:
    // A write stops at a missing reply, as the program's own download does.
    bool retryBlock(const auto& operation, bool stopOnTimeout = false)
    {
        for (int attempt = 0; attempt < kMatrixBlockAttempts; ++attempt) {
            if (operation())
                return true;
            if (stopOnTimeout && channel_.timeout)
                return false;
            channel_.host().clock.sleepMs(1);
        }
        return false;
    }

    std::string blockProblem(const char* what, uint32_t at) const
    {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%05X", at);
        std::string text = std::string(what) + " of block " + hex + " failed";
        if (channel_.timeout)
            text += ": RS232 Timeout";
        return text;
    }

    qv::MatrixChannel channel_;
    qv::InstrumentRecord record_;
    qv::MatrixLink link_;
    qv::HeadlessTransferView view_;
    qv::MatrixTransfer transfer_{link_, view_};
    std::string problem_;
};

} // namespace

std::unique_ptr<ToolLink> MakeMatrixToolLink(qv::SerialPort& port, qv::HostServices host, const std::string& trafficLog)
{
    return std::make_unique<MatrixToolLink>(port, host, trafficLog);
}

} // namespace qvtool
