#include "about_texts.h"

#include "config/image_version.h"

#include <charconv>
#include <cstdio>

namespace qv {

namespace {

constexpr int64_t kKbPerMb = 1024;
constexpr int64_t kSecondsPerDay = 86400;
constexpr int kSeparatorDashes = 75;
constexpr char kUnknown[] = "Unknown";

std::string Hex4(int64_t value)
{
    char text[12];
    std::snprintf(text, sizeof text, "%04X", unsigned(value & 0xFFFF));
    return text;
}

// Versions the instrument reports are in the 0xMMmm form.
std::string VersionText(int64_t value)
{
    return ImageVersionText(uint16_t(value & 0xFFFF));
}

// Fixed decimals with a full stop, whatever the user's locale says.
std::string Fixed(double value, int decimals)
{
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(text, end) : std::string(kUnknown);
}

std::string MemoryMb(const std::optional<int64_t>& kb)
{
    return kb ? std::to_string(*kb / kKbPerMb) + " MB" : std::string(kUnknown);
}

std::string UptimeText(const std::optional<int64_t>& seconds)
{
    if (!seconds)
        return kUnknown;
    const int64_t days = *seconds / kSecondsPerDay;
    const int64_t hours = *seconds % kSecondsPerDay / 3600;
    const int64_t minutes = *seconds % 3600 / 60;
    return std::to_string(days) + " Days " + std::to_string(hours) + " Hours " + std::to_string(minutes) +
           " Minutes ";
}

std::string Quoted(const std::string& argument)
{
    return argument.find(' ') == std::string::npos ? argument : "\"" + argument + "\"";
}

} // namespace

AboutInstrumentLines InstrumentLines(const AboutInstrument& instrument)
{
    AboutInstrumentLines lines;
    if (instrument.identified && instrument.biosMode) {
        lines.type = "The RVT is in BIOS-Mode.";
        return lines;
    }
    if (!instrument.identified) {
        lines.type = "No RVT Connected.";
        return lines;
    }
    lines.type = "RVT Type: " + instrument.typeName;
    if (!instrument.dotLive) {
        lines.serial = "Serial Number: " + instrument.serialText;
        // 1.0 is what identification leaves when no version could be read.
        lines.software = "Software Version: " +
                         (instrument.memoryVersion == 1.0 ? std::string(kUnknown) : Fixed(instrument.memoryVersion, 3));
        lines.dotSupport = "Support for DOT-Protocol: No";
        return lines;
    }
    const DotIdentity& dot = instrument.dot;
    lines.serial = "Serial Number: " + (dot.has(DotIdentity::kSerial) ? std::to_string(dot.value(DotIdentity::kSerial))
                                                                       : instrument.serialText);
    lines.software = "Software Version: " + VersionText(dot.value(DotIdentity::kSoftwareVersion));
    lines.dotSupport = "Support for DOT-Protocol: Yes";
    lines.hardwareId = "Hardware ID: " + Hex4(dot.value(DotIdentity::kHardwareId));
    // No exchange reports a hardware version: it shows as none.
    lines.hardwareVersion = "Hardware Version: " + VersionText(0);
    lines.firmware = "Firmware Version: " + std::to_string(dot.value(DotIdentity::kFirmwareVersion));
    lines.bios = "BIOS Version: " + VersionText(dot.value(DotIdentity::kBiosVersion));
    lines.extendedBios = "Extended BIOS ID: " + Hex4(dot.value(DotIdentity::kExtendedBiosId));
    return lines;
}

std::vector<std::string> PcLines(const PcFacts& facts)
{
    std::vector<std::string> lines{
        "Operating System: " + facts.system,
        "The CPU speed is: " + (facts.cpuMhz ? Fixed(*facts.cpuMhz, 6) + " MHz" : std::string(kUnknown)),
        "The Computer Name is: " + facts.computerName,
        "Current User is: " + facts.userName,
        facts.networked ? "The computer is attached to a network!" : "The computer is not attached to a network!",
        "Uptime: " + UptimeText(facts.uptimeSeconds),
        "Total memory: " + MemoryMb(facts.totalMemoryKb),
    };
    if (facts.availableMemoryKb && *facts.availableMemoryKb >= kKbPerMb)
        lines.push_back("Available memory: " + MemoryMb(facts.availableMemoryKb));
    return lines;
}

std::string DiagnosticSeparator()
{
    return "<" + std::string(kSeparatorDashes, '-') + ">";
}

std::vector<std::string> DiagnosticLines(const DiagnosticFacts& facts)
{
    std::string commandLine = Quoted(facts.program);
    for (const std::string& argument : facts.arguments)
        commandLine += " " + Quoted(argument);
    std::vector<std::string> lines{
        "Command line string: " + commandLine,
        "Number of arguments: " + std::to_string(facts.arguments.size()),
    };
    for (size_t i = 0; i < facts.arguments.size(); ++i)
        lines.push_back("Argument #" + std::to_string(i + 1) + ": " + facts.arguments[i]);
    const std::string separator = DiagnosticSeparator();
    lines.insert(lines.end(), {
                                  separator,
                                  std::string("AdvancedMode.: ") + (facts.advancedMode ? "True" : "False"),
                                  "Help file.: " + facts.helpFile,
                                  separator,
                                  "Windows Dir.: " + facts.platformDir,
                                  "   Temp Dir.: " + facts.tempDir,
                                  " System Dir.: " + facts.systemDir,
                                  separator,
                                  "Windows version: " + facts.systemVersion,
                                  "Major Ver.: " + std::to_string(facts.release.major),
                                  "Minor Ver.: " + std::to_string(facts.release.minor),
                                  "Build No. : " + std::to_string(facts.release.build),
                                  separator,
                                  "Number of Serial Ports: " + std::to_string(facts.ports.size()),
                              });
    for (size_t i = 0; i < facts.ports.size(); ++i)
        lines.push_back("Serial Port #" + std::to_string(i + 1) + " " + facts.ports[i]);
    return lines;
}

} // namespace qv
