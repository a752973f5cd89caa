// The I/O module's "@AT" commands in command mode.
#include "io_module.h"
#include "io_records.h"

namespace qv::sim {

const std::map<std::string, IoModule::Command>& IoModule::commands()
{
    static const std::map<std::string, Command> table{
        {"@AT+++", {&IoModule::onCommandMode}},
        {"@AT---", {&IoModule::onTransparentMode}},
        {"@ATSTAT", {&IoModule::onStatus}},
        {"@ATVER", {&IoModule::onVersion}},
        {"@ATRDFlashID", {&IoModule::onFlashIdentity}},
        {"@ATETH0", {&IoModule::onEthernet}},
        {"@ATERes", {&IoModule::onEthernetReset}},
        {"@ATRUNBL", {&IoModule::onRunBootLoader}},
        {"@ATRUN", {&IoModule::onRunCode}},
        {"@ATHS", {&IoModule::onHighSpeed}},
        {"@ATLS", {&IoModule::onLowSpeed}},
        {"@ATHS1", {&IoModule::onModuleHighSpeed}},
        {"@ATLS1", {&IoModule::onModuleLowSpeed}},
        {"@ATSPIUartDest", {&IoModule::onSpiDestination, 1}},
        {"@ATKDD", {&IoModule::onKeyDown}},
        {"@ATKDU", {&IoModule::onKeyUp}},
        {"@ATRECFG", {&IoModule::onReloadFpga}},
        {"@ATRDMB", {&IoModule::onMainboardBlock, 2, true}},
        {"@ATRDREG", {&IoModule::onLoaderRegister, 1}},
        {"@ATErase", {&IoModule::onErase}},
        {"@ATPrg", {&IoModule::onProgram}},
        {"@ATJTAG", {&IoModule::onJtag}},
        {"@ATRDFlash", {&IoModule::onFlashRead}},
        {"@ATWRFlash", {&IoModule::onFlashWrite}},
    };
    return table;
}

void IoModule::onCommandMode(int64_t, Out& out)
{
    if (!options_.modeSwitchReply.empty())
        reply(options_.modeSwitchReply, out);
}

void IoModule::onTransparentMode(int64_t timeUs, Out& out)
{
    onCommandMode(timeUs, out);
    commandMode_ = false;
}

void IoModule::onStatus(int64_t, Out& out)
{
    replyLine(statusRecord(options_, instrument_.options().serial, ++statusReplies_), out);
}

void IoModule::onVersion(int64_t, Out& out)
{
    reply(options_.versionText, out);
}

void IoModule::onFlashIdentity(int64_t, Out& out)
{
    // Three bytes without a line end: manufacturer, device, ESC.
    if (options_.flashAnswers)
        out.insert(out.end(), {options_.flashManufacturer, options_.flashDevice, 27});
}

void IoModule::onEthernet(int64_t, Out& out)
{
    if (options_.ethernet)
        replyLine(ethernetRecord(options_), out);
    else
        reply(options_.noEthernetReply, out);
}

void IoModule::onEthernetReset(int64_t, Out& out)
{
    ++ethernetResets_;
    reply("OK", out);
}

void IoModule::onRunBootLoader(int64_t timeUs, Out& out)
{
    if (options_.refuseBootLoader) {
        reply("Not OK", out);
        return;
    }
    reply("OK", out);
    restart(timeUs, true);
}

void IoModule::onRunCode(int64_t timeUs, Out& out)
{
    reply("OK", out);
    restart(timeUs, false);
}

void IoModule::onHighSpeed(int64_t, Out& out)
{
    reply("OK", out);
    pacingChange_ = kHighBaud;
}

void IoModule::onLowSpeed(int64_t, Out& out)
{
    reply("OK", out);
    pacingChange_ = kLowBaud;
}

void IoModule::onModuleHighSpeed(int64_t, Out& out)
{
    moduleLinkHigh_ = true;
    reply("OK", out);
}

void IoModule::onModuleLowSpeed(int64_t, Out& out)
{
    moduleLinkHigh_ = false;
    reply("OK", out);
}

void IoModule::onSpiDestination(int64_t, Out& out)
{
    const uint8_t destination = parameters_[0];
    const bool slot = destination >= 1 && destination <= options_.slotModules.size();
    if (!(destination == kDspDestination || (slot && options_.slotModules[destination - 1].routable))) {
        reply("Not OK", out);
        return;
    }
    spiDestination_ = destination;
    reply("OK", out);
}

void IoModule::onKeyDown(int64_t, Out& out)
{
    keyDown_ = true;
    instrument_.setKeyLine(true);
    reply("OK", out);
}

void IoModule::onKeyUp(int64_t, Out& out)
{
    keyDown_ = false;
    instrument_.setKeyLine(false);
    reply("OK", out);
}

void IoModule::onReloadFpga(int64_t timeUs, Out& out)
{
    reply("OK", out);
    instrument_.reloadFpga(timeUs);
}

void IoModule::onMainboardBlock(int64_t, Out& out)
{
    const uint16_t address = uint16_t(parameters_[0] << 8 | parameters_[1]);
    const IoBytes block = sim::mainboardBlock(options_, instrument_.options(), address);
    out.insert(out.end(), block.begin(), block.end());
}

void IoModule::onLoaderRegister(int64_t, Out& out)
{
    out.push_back(options_.loaderRegister);
}

void IoModule::onErase(int64_t, Out& out)
{
    // Only the boot loader erases the flash it does not run from.
    if (options_.systemMode != 1) {
        reply("Not OK", out);
        return;
    }
    if (options_.eraseFails) {
        reply("E501 Flash erase error", out);
        return;
    }
    bootLoader_.erase();
    flashErased_ = true;
    options_.runMajor = options_.runMinor = options_.runId = 0xFF;
    reply("OK", out);
}

void IoModule::onProgram(int64_t, Out& out)
{
    // Download mode is the boot loader's, like the erase.
    if (options_.systemMode != 1) {
        reply("Not OK", out);
        return;
    }
    reply("OK", out);
    bootLoader_.startDownload();
}

bool IoModule::refusesStream(Out& out) const
{
    if (options_.runId != IoJtagTransfer::kFpgaLoaderRunId) {
        out.push_back(IoJtagTransfer::kNotSupported);
        return true;
    }
    if (options_.systemMode != 0) {
        out.push_back(IoJtagTransfer::kNotRunMode);
        return true;
    }
    return false;
}

void IoModule::onJtag(int64_t timeUs, Out& out)
{
    if (refusesStream(out))
        return;
    chain_.setIdcode(options_.fpgaIdcode);
    out.push_back(IoJtagTransfer::kNextBlock);
    jtag_.emplace(chain_, options_, timeUs);
}

void IoModule::startFlash(IoFlashTransfer::Direction direction, int64_t timeUs, Out& out)
{
    // A RUN code without the flash transfers does not know the command.
    if (!options_.flashTransferAnswers || refusesStream(out))
        return;
    flash_.emplace(direction, instrument_, options_, timeUs);
    flash_->begin(out);
}

void IoModule::onFlashRead(int64_t timeUs, Out& out)
{
    startFlash(IoFlashTransfer::Direction::Read, timeUs, out);
}

void IoModule::onFlashWrite(int64_t timeUs, Out& out)
{
    startFlash(IoFlashTransfer::Direction::Write, timeUs, out);
}

} // namespace qv::sim
