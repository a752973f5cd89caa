#include "options/about_texts.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

std::vector<std::string> Lines(const AboutInstrumentLines& l)
{
    return {l.type, l.serial, l.software, l.dotSupport, l.hardwareId, l.hardwareVersion, l.firmware, l.bios,
            l.extendedBios};
}

AboutInstrument Identified(bool dot)
{
    AboutInstrument i;
    i.identified = true;
    i.dotLive = dot;
    i.typeName = "RVT120S";
    i.serialText = "12345";
    i.memoryVersion = 5.3;
    if (dot) {
        i.dot.store(DotIdentity::kSerial, 54321);
        i.dot.store(DotIdentity::kSoftwareVersion, 0x0530);
        i.dot.store(DotIdentity::kHardwareId, 0x3A);
        i.dot.store(DotIdentity::kFirmwareVersion, 110);
        i.dot.store(DotIdentity::kBiosVersion, 0x0201);
        i.dot.store(DotIdentity::kExtendedBiosId, 0xBEEF);
    }
    return i;
}

TEST(AboutTexts, InstrumentLinesByState)
{
    AboutInstrument bios = Identified(true);
    bios.biosMode = true;
    AboutInstrument unknownVersion = Identified(false);
    unknownVersion.memoryVersion = 1.0;
    AboutInstrument noMarker = Identified(false);
    noMarker.memoryVersion = 0;
    const std::string none;
    const struct {
        const char* name;
        AboutInstrument instrument;
        std::vector<std::string> lines;
    } cases[] = {
        {"nothing", AboutInstrument{}, {"No RVT Connected.", none, none, none, none, none, none, none, none}},
        {"BIOS mode", bios, {"The RVT is in BIOS-Mode.", none, none, none, none, none, none, none, none}},
        {"live DOT",
         Identified(true),
         {"RVT Type: RVT120S", "Serial Number: 54321", "Software Version: 05.30", "Support for DOT-Protocol: Yes",
          "Hardware ID: 003A", "Hardware Version: 00.00", "Firmware Version: 110", "BIOS Version: 02.01",
          "Extended BIOS ID: BEEF"}},
        {"memory version",
         Identified(false),
         {"RVT Type: RVT120S", "Serial Number: 12345", "Software Version: 5.300", "Support for DOT-Protocol: No", none,
          none, none, none, none}},
        {"version read failed",
         unknownVersion,
         {"RVT Type: RVT120S", "Serial Number: 12345", "Software Version: Unknown", "Support for DOT-Protocol: No",
          none, none, none, none, none}},
        {"no marker",
         noMarker,
         {"RVT Type: RVT120S", "Serial Number: 12345", "Software Version: 0.000", "Support for DOT-Protocol: No", none,
          none, none, none, none}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Lines(InstrumentLines(c.instrument)), c.lines) << c.name;
}

TEST(AboutTexts, PcLinesFromTheFactsAndTheAvailableMemoryOnlyFromOneMegabyte)
{
    PcFacts facts;
    facts.system = "Debian GNU/Linux 12 (bookworm)";
    facts.cpuMhz = 2400.5;
    facts.computerName = "studio";
    facts.userName = "anna";
    facts.networked = true;
    facts.uptimeSeconds = 3 * 86400 + 4 * 3600 + 5 * 60 + 59;
    facts.totalMemoryKb = 16384 * 1024 + 1023;
    facts.availableMemoryKb = 1024;
    EXPECT_EQ(PcLines(facts), (std::vector<std::string>{
                                  "Operating System: Debian GNU/Linux 12 (bookworm)",
                                  "The CPU speed is: 2400.500000 MHz",
                                  "The Computer Name is: studio",
                                  "Current User is: anna",
                                  "The computer is attached to a network!",
                                  "Uptime: 3 Days 4 Hours 5 Minutes ",
                                  "Total memory: 16384 MB",
                                  "Available memory: 1 MB",
                              }));

    facts.networked = false;
    facts.availableMemoryKb = 1023;
    facts.cpuMhz.reset();
    const std::vector<std::string> lines = PcLines(facts);
    ASSERT_EQ(lines.size(), 7u) << "less than 1 MB free hides the line";
    EXPECT_EQ(lines[1], "The CPU speed is: Unknown");
    EXPECT_EQ(lines[4], "The computer is not attached to a network!");
}

TEST(AboutTexts, DiagnosticLinesInTheirGroups)
{
    DiagnosticFacts facts;
    facts.program = "/opt/qv/qv-matrix";
    facts.arguments = {"/A", "/O05.30", "My Presets/a.PRE"};
    facts.advancedMode = true;
    facts.helpFile = "qrc:/help/qv-matrix.html";
    facts.platformDir = "/usr";
    facts.tempDir = "/tmp";
    facts.systemDir = "/usr/lib";
    facts.systemVersion = "Debian GNU/Linux 12 (bookworm)";
    facts.release = {6, 1, 0};
    facts.ports = {"ttyS0", "ttyUSB0"};
    const std::string sep = DiagnosticSeparator();
    EXPECT_EQ(sep.size(), 77u);
    EXPECT_EQ(sep.front(), '<');
    EXPECT_EQ(sep.back(), '>');
    EXPECT_EQ(DiagnosticLines(facts), (std::vector<std::string>{
                                          "Command line string: /opt/qv/qv-matrix /A /O05.30 \"My Presets/a.PRE\"",
                                          "Number of arguments: 3",
                                          "Argument #1: /A",
                                          "Argument #2: /O05.30",
                                          "Argument #3: My Presets/a.PRE",
                                          sep,
                                          "AdvancedMode.: True",
                                          "Help file.: qrc:/help/qv-matrix.html",
                                          sep,
                                          "Windows Dir.: /usr",
                                          "   Temp Dir.: /tmp",
                                          " System Dir.: /usr/lib",
                                          sep,
                                          "Windows version: Debian GNU/Linux 12 (bookworm)",
                                          "Major Ver.: 6",
                                          "Minor Ver.: 1",
                                          "Build No. : 0",
                                          sep,
                                          "Number of Serial Ports: 2",
                                          "Serial Port #1 ttyS0",
                                          "Serial Port #2 ttyUSB0",
                                      }));
}

} // namespace
} // namespace qv
