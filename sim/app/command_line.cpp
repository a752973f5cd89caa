#include "command_line.h"

#include "sim/default_memory.h"
#include "sim/front_panel.h"

#include <charconv>
#include <functional>
#include <map>

namespace qv::sim {

namespace {

bool parseInt(const std::string& text, long min, long max, long& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end && value >= min && value <= max;
}

using ValueSetter = std::function<bool(const std::string&, SimCommandLine&)>;

ValueSetter intOption(long min, long max, std::function<void(SimCommandLine&, long)> set)
{
    return [=](const std::string& text, SimCommandLine& line) {
        long value = 0;
        if (!parseInt(text, min, max, value))
            return false;
        set(line, value);
        return true;
    };
}

bool parseHexByte(const std::string& text, uint8_t& value)
{
    unsigned parsed = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, parsed, 16);
    if (text.empty() || text.size() > 2 || ec != std::errc() || ptr != end)
        return false;
    value = uint8_t(parsed);
    return true;
}

std::vector<std::string> splitAt(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// "2.10" as major 2, minor 10; "none" as 255.255 (no code present).
bool parseCodeVersion(const std::string& text, uint8_t& major, uint8_t& minor)
{
    if (text == "none") {
        major = minor = 0xFF;
        return true;
    }
    const auto parts = splitAt(text, '.');
    long a = 0;
    long b = 0;
    if (parts.size() != 2 || !parseInt(parts[0], 0, 254, a) || !parseInt(parts[1], 0, 255, b))
        return false;
    major = uint8_t(a);
    minor = uint8_t(b);
    return true;
}

// "N:ID[:SW[:FW[:TEMP]]]", the bytes in hexadecimal.
bool parseSlot(const std::string& text, IoModuleOptions& io)
{
    const auto parts = splitAt(text, ':');
    long slot = 0;
    if (parts.size() < 2 || parts.size() > 5 || !parseInt(parts[0], 1, 7, slot))
        return false;
    SlotModuleOptions& module = io.slotModules[size_t(slot - 1)];
    uint8_t* fields[] = {&module.moduleId, &module.softwareVersion, &module.firmwareVersion, &module.temperature};
    for (size_t i = 1; i < parts.size(); ++i)
        if (!parseHexByte(parts[i], *fields[i - 1]))
            return false;
    return true;
}

// "N:VALUE" for slot N; value parses the rest.
bool parseSlotFault(const std::string& text, IoModuleOptions& io,
                    const std::function<bool(const std::string&, SlotModuleOptions&)>& value)
{
    const auto parts = splitAt(text, ':');
    long slot = 0;
    return parts.size() == 2 && parseInt(parts[0], 1, 7, slot) && value(parts[1], io.slotModules[size_t(slot - 1)]);
}

// "vp20", "vp30" or the IDCODE in hexadecimal.
bool parseFpga(const std::string& text, IoModuleOptions& io)
{
    if (text == "vp20" || text == "vp30") {
        io.fpgaIdcode = text == "vp20" ? kVp20Idcode : kVp30Idcode;
        return true;
    }
    uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, 16);
    if (text.empty() || text.size() > 8 || ec != std::errc() || ptr != end)
        return false;
    io.fpgaIdcode = value;
    return true;
}

// "E500" to "E503", optionally ":N" for the record it comes at.
bool parseHexError(const std::string& text, IoModuleOptions& io)
{
    const auto parts = splitAt(text, ':');
    long code = 0;
    long record = 1;
    if (parts.size() > 2 || parts[0].size() != 4 || parts[0][0] != 'E' || !parseInt(parts[0].substr(1), 500, 503, code)
        || (parts.size() == 2 && !parseInt(parts[1], 1, 1'000'000, record)))
        return false;
    io.hexFault = int(code);
    io.hexFaultRecord = int(record);
    return true;
}

// "N" or "N:T": fast flash block N damaged T times (default once).
bool parseFlashDamage(const std::string& text, IoModuleOptions& io)
{
    const auto parts = splitAt(text, ':');
    long block = 0;
    long times = 1;
    if (parts.size() > 2 || !parseInt(parts[0], 1, 65535, block)
        || (parts.size() == 2 && !parseInt(parts[1], 1, 1'000'000, times)))
        return false;
    io.flashDamagedBlock = int(block);
    io.flashDamagedTimes = int(times);
    return true;
}

// "PERCENT" or "PERCENT:SEED": that share of the bytes both ways corrupted,
// lost or late, a third each.
bool parseNoise(const std::string& text, InstrumentOptions& options)
{
    const auto parts = splitAt(text, ':');
    double percent = 0;
    const char* end = parts[0].data() + parts[0].size();
    const auto [ptr, ec] = std::from_chars(parts[0].data(), end, percent);
    long seed = 1;
    if (parts.size() > 2 || parts[0].empty() || ec != std::errc() || ptr != end || !(percent >= 0 && percent <= 100)
        || (parts.size() == 2 && !parseInt(parts[1], 0, 0xFFFFFFFFL, seed)))
        return false;
    options.lineNoise = LineNoise::Evenly(percent / 100, uint32_t(seed));
    return true;
}

// Any I/O-module option puts the module in front of the instrument.
ValueSetter ioOption(std::function<bool(const std::string&, IoModuleOptions&)> set)
{
    return [=](const std::string& text, SimCommandLine& line) {
        line.options.ioModule.present = true;
        return set(text, line.options.ioModule);
    };
}

ValueSetter ioByte(long min, long max, uint8_t IoModuleOptions::*field)
{
    return ioOption([=](const std::string& text, IoModuleOptions& io) {
        long value = 0;
        if (!parseInt(text, min, max, value))
            return false;
        io.*field = uint8_t(value);
        return true;
    });
}

const std::map<std::string, ValueSetter>& valueOptions()
{
    static const std::map<std::string, ValueSetter> options{
        {"--serial", intOption(0, 0xFFFF, [](SimCommandLine& l, long v) { l.options.serial = uint16_t(v); })},
        {"--baud", intOption(1, 4'000'000, [](SimCommandLine& l, long v) { l.options.baud = int(v); })},
        {"--read-pace-us", intOption(0, 1'000'000, [](SimCommandLine& l, long v) { l.readPaceUs = int(v); })},
        {"--boot-ms", intOption(0, 600'000, [](SimCommandLine& l, long v) { l.options.bootMs = int(v); })},
        {"--command-timeout-ms",
         intOption(1, 600'000, [](SimCommandLine& l, long v) { l.options.commandTimeoutMs = int(v); })},
        {"--corrupt-every",
         intOption(0, 1'000'000, [](SimCommandLine& l, long v) { l.options.corruptChecksumEvery = int(v); })},
        {"--drop-every", intOption(0, 1'000'000, [](SimCommandLine& l, long v) { l.options.dropByteEvery = int(v); })},
        {"--noise", [](const std::string& text, SimCommandLine& l) { return parseNoise(text, l.options); }},
        {"--revision",
         [](const std::string& text, SimCommandLine& l) {
             if (text.size() != 1)
                 return false;
             l.options.revision = text[0];
             return true;
         }},
        {"--version",
         [](const std::string& text, SimCommandLine& l) { return parseImageVersion(text, l.options.softwareVersion); }},
        {"--io-board", ioOption([](const std::string& text, IoModuleOptions& io) {
             io.boardCode = text;
             return text.size() == 3;
         })},
        {"--io-mode", ioByte(0, 2, &IoModuleOptions::systemMode)},
        {"--io-run", ioOption([](const std::string& text, IoModuleOptions& io) {
             return parseCodeVersion(text, io.runMajor, io.runMinor);
         })},
        {"--io-run-id", ioByte(0, 255, &IoModuleOptions::runId)},
        {"--io-boot", ioOption([](const std::string& text, IoModuleOptions& io) {
             return text != "none" && parseCodeVersion(text, io.bootMajor, io.bootMinor);
         })},
        {"--io-product", ioByte(0, 255, &IoModuleOptions::productCode)},
        {"--io-mac", ioOption([](const std::string& text, IoModuleOptions& io) {
             io.macText = text;
             return text.size() == 12 && text.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos;
         })},
        {"--io-version-text", ioOption([](const std::string& text, IoModuleOptions& io) {
             io.versionText = text;
             return true;
         })},
        {"--io-flash", ioOption([](const std::string& text, IoModuleOptions& io) {
             const auto parts = splitAt(text, ':');
             return parts.size() == 2 && parseHexByte(parts[0], io.flashManufacturer)
                 && parseHexByte(parts[1], io.flashDevice);
         })},
        {"--slot", ioOption(parseSlot)},
        {"--io-register", ioByte(0, 255, &IoModuleOptions::loaderRegister)},
        {"--io-register-fixed", ioOption([](const std::string& text, IoModuleOptions& io) {
             long value = 0;
             if (!parseInt(text, 0, 255, value))
                 return false;
             io.fixedLoaderRegister = int(value);
             return true;
         })},
        {"--slot-swap", ioOption([](const std::string& text, IoModuleOptions& io) {
             // "N:ID:Q"
             const auto parts = splitAt(text, ':');
             long slot = 0;
             long queries = 0;
             if (parts.size() != 3 || !parseInt(parts[0], 1, 7, slot) || !parseInt(parts[2], 0, 1'000'000, queries))
                 return false;
             SlotModuleOptions& module = io.slotModules[size_t(slot - 1)];
             module.queriesBeforeSwap = int(queries);
             return parseHexByte(parts[1], module.swappedId);
         })},
        {"--slot-silent", ioOption([](const std::string& text, IoModuleOptions& io) {
             return parseSlotFault(text, io, [](const std::string& blocks, SlotModuleOptions& module) {
                 long value = 0;
                 if (!parseInt(blocks, 1, 1'000'000, value))
                     return false;
                 module.silentAfterBlocks = int(value);
                 return true;
             });
         })},
        {"--io-fpga", ioOption(parseFpga)},
        {"--io-jtag-max", ioOption([](const std::string& text, IoModuleOptions& io) {
             long value = 0;
             if (!parseInt(text, 1, 1 << 20, value))
                 return false;
             io.jtagMaxVectorBytes = size_t(value);
             return true;
         })},
        {"--io-hex-error", ioOption(parseHexError)},
        {"--io-jtag-damaged", ioOption([](const std::string& text, IoModuleOptions& io) {
             long value = 0;
             if (!parseInt(text, 1, 1'000'000, value))
                 return false;
             io.jtagDamagedBlock = int(value);
             return true;
         })},
        {"--io-flash-damaged", ioOption(parseFlashDamage)},
        {"--io-flash-stop", ioOption([](const std::string& text, IoModuleOptions& io) {
             long value = 0;
             if (!parseInt(text, 1, 65535, value))
                 return false;
             io.flashStopAtBlock = int(value);
             return true;
         })},
        {"--link",
         [](const std::string& text, SimCommandLine& l) {
             l.linkPath = text;
             return !text.empty();
         }},
        {"--dump",
         [](const std::string& text, SimCommandLine& l) {
             l.dumpPath = text;
             return !text.empty();
         }},
    };
    return options;
}

const std::map<std::string, std::function<void(SimCommandLine&)>>& flagOptions()
{
    static const std::map<std::string, std::function<void(SimCommandLine&)>> options{
        {"--help", [](SimCommandLine& l) { l.help = true; }},
        {"--bios", [](SimCommandLine& l) { l.options.biosMode = true; }},
        {"--no-text", [](SimCommandLine& l) { l.options.answersText = false; }},
        {"--no-answer", [](SimCommandLine& l) { l.options.noAnswer = true; }},
        {"--write-locked", [](SimCommandLine& l) { l.options.writeLocked = true; }},
        {"--io-module", [](SimCommandLine& l) { l.options.ioModule.present = true; }},
        {"--io-usb",
         [](SimCommandLine& l) {
             l.options.ioModule.present = true;
             l.options.ioModule.interface = 4;
         }},
        {"--io-no-ethernet",
         [](SimCommandLine& l) {
             l.options.ioModule.present = true;
             l.options.ioModule.ethernet = false;
         }},
        {"--io-bad-checksum",
         [](SimCommandLine& l) {
             l.options.ioModule.present = true;
             l.options.ioModule.badStatusChecksum = true;
         }},
        {"--io-bad-length",
         [](SimCommandLine& l) {
             l.options.ioModule.present = true;
             l.options.ioModule.statusLengthError = -1;
         }},
        {"--io-status-differs",
         [](SimCommandLine& l) {
             l.options.ioModule.present = true;
             l.options.ioModule.statusRepliesDiffer = true;
         }},
        {"--io-erase-fails",
         [](SimCommandLine& l) {
             l.options.ioModule.present = true;
             l.options.ioModule.eraseFails = true;
         }},
        {"--io-flash-silent",
         [](SimCommandLine& l) {
             l.options.ioModule.present = true;
             l.options.ioModule.flashTransferAnswers = false;
         }},
        {"--io-flash-no-end",
         [](SimCommandLine& l) {
             l.options.ioModule.present = true;
             l.options.ioModule.flashNoEnd = true;
         }},
    };
    return options;
}

} // namespace

bool parseImageVersion(const std::string& text, uint16_t& version)
{
    const size_t dot = text.find('.');
    if (dot == std::string::npos || dot < 1 || dot > 2 || text.size() != dot + 3)
        return false;
    unsigned digits = 0;
    for (char c : text) {
        if (c == '.')
            continue;
        if (c < '0' || c > '9')
            return false;
        digits = digits << 4 | unsigned(c - '0');
    }
    version = uint16_t(digits);
    return true;
}

bool parseSimCommandLine(const std::vector<std::string>& args, SimCommandLine& line, std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        if (const size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            hasValue = true;
        }
        if (const auto flag = flagOptions().find(name); flag != flagOptions().end() && !hasValue) {
            flag->second(line);
            continue;
        }
        const auto option = valueOptions().find(name);
        if (option == valueOptions().end()) {
            error = "unknown option: " + args[i];
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (!option->second(value, line)) {
            error = "bad value for " + name + ": " + value;
            return false;
        }
    }
    return true;
}

namespace {

std::string ioModuleUsage()
{
    const IoModuleOptions d;
    return "I/O-interface module (any of these puts one in front of the instrument):\n"
           "  --io-module          serve the module, in transparent mode\n"
           "  --io-board CODE      mainboard board code, 3 characters (default "
        + d.boardCode + ")\n"
        + "  --io-mode N          system mode: 0 RUN, 1 BOOT-load, 2 FPGA programming (default 0)\n"
        + "  --io-run M.m|none    RUN-code version, none for no RUN code (default " + std::to_string(d.runMajor)
        + "." + std::to_string(d.runMinor) + ")\n"
        + "  --io-run-id N        RUN-code ID; 3 supports JTAG and flash transfers (default " + std::to_string(d.runId)
        + ")\n"
        + "  --io-boot M.m        BOOT-code version (default " + std::to_string(d.bootMajor) + "."
        + std::to_string(d.bootMinor) + ")\n"
        + "  --io-usb             communication interface USB instead of the serial port\n"
        + "  --io-product N       product code; above 208 a meter of the newer family (default "
        + std::to_string(d.productCode) + ")\n"
        + "  --io-mac HEX12       MAC address text (default " + d.macText + ")\n"
        + "  --io-version-text T  reply to the version query\n"
        + "  --io-no-ethernet     answer the Ethernet query with \"NOT OK\"\n"
        + "  --io-flash MM:DD     flash manufacturer and device ID in hexadecimal (default BF:13)\n"
        + "  --slot N:ID[:SW[:FW[:TEMP]]]\n"
        + "                       expansion module in slot 1-7; bytes in hexadecimal, TEMP is degrees + 18\n"
        + "  --io-register N      loader register the FPGA-loader check reads (default "
        + std::to_string(d.loaderRegister) + ");\n"
        + "                       a RUN code downloaded as HEX brings its own\n"
        + "  --io-register-fixed N\n"
        + "                       the loader register stays N whatever RUN code is downloaded\n"
        + "  --io-fpga vp20|vp30|HEX\n"
        + "                       IDCODE of the mainboard FPGA behind JTAG (default vp20)\n"
        + "  --io-jtag-max N      longest register shift the XSVF player holds, in bytes (default "
        + std::to_string(d.jtagMaxVectorBytes) + ")\n"
        + "  --io-bad-checksum    fault: status records carry a wrong checksum\n"
        + "  --io-bad-length      fault: status records carry a length byte one short\n"
        + "  --io-status-differs  fault: no two status records are the same\n"
        + "  --io-erase-fails     fault: the boot loader answers the erase with an E501 line\n"
        + "  --io-hex-error E50x[:N]\n"
        + "                       fault: the HEX download answers E500-E503 at record N (default 1)\n"
        + "  --io-jtag-damaged N  fault: JTAG block N arrives damaged once and is asked for again\n"
        + "  --slot-swap N:ID:Q   fault: the module in slot N reports ID (hexadecimal) once it has answered Q\n"
        + "                       ID queries, as if it had been exchanged after a scan\n"
        + "  --slot-silent N:B    fault: the module in slot N stops answering after B blocks of an FPGA image\n"
        + "  --io-flash-damaged N[:T]\n"
        + "                       fault: fast flash block N is damaged T times in a row (default once): a read\n"
        + "                       sends it with a wrong checksum, a write takes it as damaged\n"
        + "  --io-flash-stop N    fault: the module stops answering in the middle of fast flash block N\n"
        + "  --io-flash-no-end    fault: nothing follows the last fast flash block\n"
        + "  --io-flash-silent    fault: the fast flash read and write commands go unanswered\n"
        + "Fast flash reads and writes (the host's \"@ATRDFlash\", \"@ATWRFlash\") act on the instrument's\n"
        + "memory; they need RUN-code ID 3 and RUN mode (--io-run-id, --io-mode). After \"@ATHS\" the line\n"
        + "is paced at 115200 baud, after \"@ATLS\" at 9600.\n";
}

} // namespace

std::string simUsage()
{
    const InstrumentOptions defaults;
    return "Usage: qv-instrument-sim [options]\n"
           "Serves a simulated instrument on a pseudo-terminal; prints the device path first.\n"
           "\n"
           "  --serial N         serial number 0-65535, 65535 leaves the identity blank (default "
        + std::to_string(defaults.serial) + ")\n"
        + "  --revision C       revision character; below 1 the identity is at 0x1C000 (default "
        + std::string(1, defaults.revision) + ")\n"
        + "  --version M.mm     software version (default " + versionDigits(defaults.softwareVersion) + ")\n"
        + "  --bios             run the boot loader: block reads fail, no text\n"
        + "  --baud N           line pacing in baud (default " + std::to_string(defaults.baud) + ")\n"
        + "  --boot-ms N        unreachable for N ms after a restart (default " + std::to_string(defaults.bootMs)
        + ")\n"
        + "  --command-timeout-ms N\n"
        + "                     abandon a command whose parameters stop for N ms (default "
        + std::to_string(defaults.commandTimeoutMs) + ")\n"
        + "  --read-pace-us N   read the client's bytes one every N us, as a slow peer does (default 0: at once)\n"
        + "  --no-text          ignore DOT text commands, as older software does\n"
        + "  --no-answer        fault: ignore everything\n"
        + "  --write-locked     fault: refuse block writes and gain settings\n"
        + "  --corrupt-every N  fault: every Nth block read carries a wrong checksum\n"
        + "  --drop-every N     fault: every Nth byte the instrument sends is lost\n"
        + "  --noise P[:SEED]   fault: P % of the bytes both ways corrupted, lost or late (a third each)\n"
        + "  --link PATH        make PATH a symbolic link to the pseudo-terminal (removed on exit)\n"
        + "  --dump PATH        write the whole 4 MiB memory to PATH on exit\n"
        + "  --help             show this text\n"
        + "\n" + ioModuleUsage()
        + "\n" + frontPanelUsage();
}

} // namespace qv::sim
