// The instrument's front panel and the text it sends on its own.
#include "front_panel.h"

#include "default_memory.h"
#include "dot_command.h"
#include "platform/host/file_io.h"
#include "text_protocol.h"

#include <cstdio>
#include <sstream>
#include <vector>

namespace qv::sim {

bool Instrument::runsSoftwareAt(int64_t timeUs) const
{
    return !bootingAt(timeUs) && !options_.biosMode && !downloadMode_;
}

void Instrument::sendOnOwn(int64_t timeUs, const std::string& text)
{
    // Older software reports nothing; a dead line carries nothing.
    if (options_.answersText && !options_.noAnswer)
        unsolicited_.push_back({timeUs, text});
}

bool Instrument::routeAtFrontPanel(int output, int input, int64_t timeUs)
{
    if (!runsSoftwareAt(timeUs) || !canRoute(input, output, options_.softwareVersion))
        return false;
    live_.route(memory_, output, input);
    screenChanged();
    sendOnOwn(timeUs, crosspointReport(output, input, false) + kUpdateNotice);
    return true;
}

bool Instrument::selectPresetAtFrontPanel(int preset, int64_t timeUs)
{
    if (!runsSoftwareAt(timeUs) || preset < 1 || preset > kPresets)
        return false;
    live_.selectPreset(memory_, preset);
    screenChanged();
    sendOnOwn(timeUs, presetReport(preset));
    return true;
}

void Instrument::powerCycle(int64_t timeUs)
{
    unsolicited_.clear();
    restart(timeUs);
    if (!options_.biosMode)
        sendOnOwn(bootUntilUs_, kPowerUpNotice);
}

bool Instrument::takeUnsolicited(int64_t untilUs, int64_t& atUs, std::vector<uint8_t>& out)
{
    if (unsolicited_.empty() || unsolicited_.front().atUs > untilUs)
        return false;
    atUs = unsolicited_.front().atUs;
    send(unsolicited_.front().text, out);
    unsolicited_.pop_front();
    return true;
}

int64_t Instrument::nextUnsolicitedUs() const
{
    return unsolicited_.empty() ? -1 : unsolicited_.front().atUs;
}

namespace {

constexpr char kUsage[] = "usage: route O I | preset N | power | state | version | lcd FILE | io | fpga | slot N | scale N";
constexpr int kWordsPerLine = 16;
constexpr char kNoIoModule[] = "no I/O module";

} // namespace

std::string FrontPanel::state() const
{
    if (instrument_.options().biosMode)
        return "BIOS mode";
    if (instrument_.inDownloadMode())
        return "download mode";
    return instrument_.bootingAt(clock_.nowUs()) ? "booting" : "running";
}

std::string FrontPanel::ioState() const
{
    if (!ioModule_)
        return kNoIoModule;
    const IoModuleOptions& io = ioModule_->options();
    if (io.runMajor == 0xFF)
        return "no RUN code, system mode " + std::to_string(io.systemMode);
    return "RUN " + std::to_string(io.runMajor) + "." + std::to_string(io.runMinor) + " (ID " +
           std::to_string(io.runId) + "), system mode " + std::to_string(io.systemMode) + ": " + io.versionText;
}

std::string FrontPanel::fpgaState(int slot) const
{
    if (!ioModule_)
        return kNoIoModule;
    const JtagChain* chain = slot == 0 ? &ioModule_->jtagChain() : ioModule_->slotModule(slot).fpga();
    if (!chain || chain->configurationBits() == 0)
        return "not configured";
    return "configured " + std::to_string(chain->configuration().size()) + " bytes" +
           (chain->started() ? ", started" : "");
}

std::string FrontPanel::scale(int slot) const
{
    if (slot < 1 || slot > kScaleSlots)
        return "no scale slot " + std::to_string(slot);
    const uint32_t address = scaleSlotAddress(slot);
    const std::vector<uint8_t> table = instrument_.peek(address, kScaleSlotSize);
    // The name's characters lie low byte first in each word.
    std::string name;
    for (size_t i : {1, 0, 3, 2})
        name += table[i] >= 0x20 && table[i] < 0x7F ? char(table[i]) : '.';
    char text[64];
    std::snprintf(text, sizeof text, "scale %d at 0x%05X, name \"", slot, unsigned(address));
    std::string out = text + name + "\"";
    for (size_t word = 0; word < table.size() / 2; ++word) {
        if (word % kWordsPerLine == 0) {
            std::snprintf(text, sizeof text, "\n%3zu:", word);
            out += text;
        }
        std::snprintf(text, sizeof text, " %02X%02X", table[2 * word], table[2 * word + 1]);
        out += text;
    }
    return out;
}

std::string FrontPanel::saveLcd(const std::string& path)
{
    std::string error;
    if (!WriteFileAtomically(path, lcdAsPpm(instrument_.lcdPicture()), error))
        return path + ": " + error;
    return instrument_.lcdFrozen() ? "ok, frozen" : "ok";
}

std::string FrontPanel::command(const std::string& line)
{
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (word == "lcd") {
        std::string path;
        std::getline(in >> std::ws, path);
        return path.empty() ? kUsage : saveLcd(path);
    }
    std::vector<int> numbers;
    for (std::string argument; in >> argument;) {
        const auto number = dotNumber(argument);
        if (!number)
            return kUsage;
        numbers.push_back(*number);
    }
    if (word == "route" && numbers.size() == 2)
        return route(numbers[0], numbers[1]) ? "ok" : "refused";
    if (word == "preset" && numbers.size() == 1)
        return selectPreset(numbers[0]) ? "ok" : "refused";
    if (word == "power" && numbers.empty()) {
        powerCycle();
        return "ok";
    }
    if (word == "state" && numbers.empty())
        return state();
    if (word == "version" && numbers.empty())
        return versionDigits(instrument_.options().softwareVersion);
    if (word == "io" && numbers.empty())
        return ioState();
    if (word == "fpga" && numbers.empty())
        return fpgaState(0);
    if (word == "slot" && numbers.size() == 1 && numbers[0] >= 1 && numbers[0] <= 7)
        return fpgaState(numbers[0]);
    if (word == "scale" && numbers.size() == 1)
        return scale(numbers[0]);
    return kUsage;
}

std::string frontPanelUsage()
{
    return "Front panel commands on standard input, one a line:\n"
           "  route O I          route input I to output O (reported with AA and an update notice)\n"
           "  preset N           select preset N, 1-11 (reported with AP9)\n"
           "  power              switch off and on: a power-up notice after the boot time\n"
           "  state              what the display tells: running, booting, BIOS mode or download mode\n"
           "  version            the software version the instrument reports\n"
           "  lcd FILE           write the picture the display shows to FILE, a PPM image\n"
           "  io                 the I/O module's RUN code: version, ID, system mode and version text\n"
           "  fpga               the mainboard FPGA: bytes configured and whether it was started\n"
           "  slot N             the same for the FPGA of the expansion module in slot N\n"
           "  scale N            the scale table in slot N, 1-10 (Key 1-7, Leq, 1630 I, 1630 II): name and words\n";
}

} // namespace qv::sim
