#include "link/update_instrument_info.h"
#include "link/update_link.h"
#include "link/update_transfer.h"
#include "link/wire_protocol.h"
#include "tool_link.h"

#include <cstdio>

namespace qvtool {

namespace {

class UpdateToolLink : public ToolLink {
public:
    UpdateToolLink(qv::SerialPort& port, qv::HostServices host) : channel_(port, host), link_(channel_) {}

    bool open(const std::string& port) override
    {
        if (!channel_.port().open(port)) {
            problem_ = "Unable to open " + port;
            std::string why = channel_.port().errorText();
            if (!why.empty())
                problem_ += ": " + why;
            return false;
        }
        channel_.rxMode = qv::RxMode::Binary;
        return true;
    }

    ToolIdentity identify() override
    {
        qv::UpdateInstrumentInfo info(link_, identity_);
        info.ReadInstrumentInfo(true);
        ToolIdentity id;
        id.connected = identity_.connected;
        id.bios = identity_.biosMode;
        id.type = identity_.type;
        id.name = identity_.typeName;
        if (!id.connected) {
            problem_ = "No instrument found.";
            return id;
        }
        if (!id.bios) {
            id.serial = std::to_string(identity_.serial);
            if (identity_.revision)
                id.revision = std::string(1, identity_.revision);
            id.version = FormatVersion(identity_.softwareVersion);
        }
        return id;
    }

    bool readBlocks(uint32_t address, int blocks, uint8_t* out, qv::Progress& progress) override
    {
        progress.setMaximum(int64_t(blocks) * 128);
        progress.setPosition(0);
        qv::UpdateTransfer transfer(link_);
        if (!transfer.ReadBlocks(address, blocks, out, {&progress, nullptr})) {
            problem_ = failedAt("read", address, progress.position());
            return false;
        }
        return true;
    }

    bool writeBlocks(uint32_t address, int blocks, const uint8_t* in, qv::Progress& progress) override
    {
        // The instrument takes blocks only with its protect flag set.
        uint8_t flag = 1;
        if (link_.ReadProtectFlag(flag) && flag == 0)
            link_.ToggleProtectFlag();
        progress.setMaximum(int64_t(blocks) * 128);
        progress.setPosition(0);
        qv::UpdateTransfer transfer(link_);
        if (!transfer.WriteBlocks(address, blocks, in, {&progress, nullptr})) {
            problem_ = failedAt("write", address, progress.position());
            return false;
        }
        return true;
    }

    bool pressKey(int key) override
    {
        if (!link_.KeyPress(uint8_t(key))) {
            problem_ = "the instrument did not take key " + std::to_string(key);
            return false;
        }
        return true;
    }

    bool restart() override
    {
        if (!link_.Restart()) {
            problem_ = "No instrument found.";
            return false;
        }
        return true;
    }

    std::string problem() const override { return problem_; }

private:
    static std::string failedAt(const char* what, uint32_t address, int64_t done)
    {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%05X", unsigned(address + uint32_t(done)));
        return std::string(what) + " of block " + hex + " failed";
    }

    qv::UpdateChannel channel_;
    qv::UpdateLink link_;
    qv::UpdateIdentity identity_;
    std::string problem_;
};

} // namespace

std::unique_ptr<ToolLink> MakeUpdateToolLink(qv::SerialPort& port, qv::HostServices host)
{
    return std::make_unique<UpdateToolLink>(port, host);
}

std::string FormatVersion(double version)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", version);
    return text;
}

} // namespace qvtool
