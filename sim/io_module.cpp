#include "io_module.h"

#include <algorithm>
#include <utility>

namespace qv::sim {

namespace {

const std::string kEnterCommandMode = "@AT+++\r";
// Longer lines are noise; the module keeps only their start.
constexpr size_t kMaxCommandLine = 64;

} // namespace

IoModule::IoModule(Instrument& instrument, IoModuleOptions options) : instrument_(instrument), options_(std::move(options))
{
}

void IoModule::receive(uint8_t byte, int64_t timeUs, std::vector<uint8_t>& out)
{
    if (restartingAt(timeUs))
        return;
    if (jtag_ && !jtag_->abandonedAt(timeUs)) {
        if (!jtag_->receive(byte, timeUs, out))
            jtag_.reset();
        return;
    }
    jtag_.reset();
    if (flash_ && !flash_->abandonedAt(timeUs)) {
        if (!flash_->receive(byte, timeUs, out))
            flash_.reset();
        return;
    }
    flash_.reset();
    if (bootLoader_.downloading() && bootLoader_.receive(byte, options_, out))
        return;
    if (commandMode_)
        collect(byte, timeUs, out);
    else
        passOn(byte, timeUs, out);
}

int IoModule::takePacingChange()
{
    return std::exchange(pacingChange_, 0);
}

int IoModule::count(const std::string& command) const
{
    return int(std::count(commandLines_.begin(), commandLines_.end(), command));
}

void IoModule::passOn(uint8_t byte, int64_t timeUs, Out& out)
{
    if (spiDestination_ >= 1 && spiDestination_ <= slots_.size())
        slots_[spiDestination_ - 1].receive(options_.slotModules[spiDestination_ - 1], byte, timeUs, out);
    else
        instrument_.receive(byte, timeUs, out);

    watch_ += char(byte);
    if (watch_.size() > kEnterCommandMode.size())
        watch_.erase(0, watch_.size() - kEnterCommandMode.size());
    if (watch_ == kEnterCommandMode) {
        watch_.clear();
        commandMode_ = true;
        commandLines_.push_back(kEnterCommandMode.substr(0, kEnterCommandMode.size() - 1));
        onCommandMode(timeUs, out);
    }
}

void IoModule::collect(uint8_t byte, int64_t timeUs, Out& out)
{
    if (pending_) {
        parameters_.push_back(byte);
        if (parameters_.size() == pending_->parameterBytes) {
            const Command* command = std::exchange(pending_, nullptr);
            (this->*command->run)(timeUs, out);
        }
        return;
    }
    if (byte == '\r') {
        const std::string line = std::move(line_);
        line_.clear();
        if (!line.empty())
            execute(line, timeUs, out);
    } else if (byte != '\n' && line_.size() < kMaxCommandLine) {
        line_ += char(byte);
    }
}

void IoModule::execute(const std::string& line, int64_t timeUs, Out& out)
{
    commandLines_.push_back(line);
    const auto command = commands().find(line);
    if (command == commands().end()) {
        reply("Not OK", out);
        return;
    }
    if (command->second.parameterBytes > 0) {
        if (command->second.acknowledgeLine)
            reply("OK", out);
        pending_ = &command->second;
        parameters_.clear();
        return;
    }
    (this->*command->second.run)(timeUs, out);
}

void IoModule::reply(const std::string& text, Out& out)
{
    out.insert(out.end(), text.begin(), text.end());
    out.insert(out.end(), options_.lineEnd.begin(), options_.lineEnd.end());
}

void IoModule::replyLine(const std::vector<uint8_t>& bytes, Out& out)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
    out.insert(out.end(), options_.lineEnd.begin(), options_.lineEnd.end());
}

void IoModule::restart(int64_t timeUs, bool bootLoader)
{
    ++restarts_;
    offlineUntilUs_ = timeUs + int64_t(options_.restartMs) * 1000;
    if (bootLoader_.replaced())
        loadRunCode();
    // Without RUN code the module stays in its boot loader.
    options_.systemMode = bootLoader || options_.runMajor == 0xFF ? 1 : 0;
    commandMode_ = false;
    watch_.clear();
    line_.clear();
    pending_ = nullptr;
    jtag_.reset();
    flash_.reset();
    spiDestination_ = kDspDestination;
    moduleLinkHigh_ = false;
    for (auto& slot : slots_)
        slot.reset();
}

void IoModule::loadRunCode()
{
    IoFirmwareHeader header;
    if (bootLoader_.runCode(header) != IoFirmwareCheck::Valid) {
        options_.runMajor = options_.runMinor = options_.runId = 0xFF;
        return;
    }
    options_.runId = header.runId;
    options_.runMajor = header.runMajor;
    options_.runMinor = header.runMinor;
    options_.loaderRegister =
        options_.fixedLoaderRegister >= 0 ? uint8_t(options_.fixedLoaderRegister) : header.loaderRegister;
    options_.versionText = header.name;
}

} // namespace qv::sim
