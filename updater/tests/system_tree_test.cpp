// The system information tree and its text forms.
#include "connection_fixture.h"
#include "updater/system_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

bool HasLine(const qv::StatusTree& tree, int depth, const std::string& text)
{
    const auto lines = tree.flatten();
    return std::find(lines.begin(), lines.end(), std::pair{depth, text}) != lines.end();
}

bool HasText(const qv::StatusTree& tree, const std::string& text)
{
    for (const auto& line : tree.flatten())
        if (line.second == text)
            return true;
    return false;
}

TEST(SystemTree, FullSystemAsSaved)
{
    ConnectionBench b;
    qv::sim::InstrumentOptions o = WithIoModule();
    o.ioModule.slotModules[0] = {0xB0, 0x12, 0x34, 43, true};
    o.ioModule.slotModules[2] = {0xDD, 0x01, 0x00, 0, true};
    o.ioModule.slotModules[4] = {0xC1, 0x00, 0x02, 18, false}; // not routable: not shown
    o.ioModule.slotModules[6] = {0xAD, 0x21, 0x22, 60, true};
    b.single(o);
    b.connection.btnOpenClick();
    ASSERT_TRUE(b.connection.connected());

    EXPECT_EQ(qv::SystemInformationFileText(b.view.tree, "1.4.0.7"),
              "This file was created with QV-Update Version 1.4.0.7\r\n"
              "Copyright (C) Qvella A/S 2024\r\n"
              "\r\n"
              "RVT120S, Serial Nummer: 12345\r\n"
              "\tCommunication Interface: Serial Port.\r\n"
              "\tI/O String: I/O-Interface RUN 2.10\r\n"
              "\tSoftware.\r\n"
              "\t\tSoftware Version: 5.3\r\n"
              "\tHardware.\r\n"
              "\t\tMainboard.\r\n"
              "\t\t\tSerial Number: 12345\r\n"
              "\t\t\tHardware Version: 200 (00.00)\r\n"
              "\t\t\tFirmware Version: 6E\r\n"
              "\t\t\tHardware ID: 0003\r\n"
              "\t\t\tExtended BIOS ID: 0001\r\n"
              "\t\t\tFlash Manufacturer ID: SST (BF)\r\n"
              "\t\t\tFlash ID: SST29SF040 (13)\r\n"
              "\t\t\tProcessor 1: Installed.\r\n"
              "\t\tI/O-Interface.\r\n"
              "\t\t\tI/O String: I/O-Interface RUN 2.10\r\n"
              "\t\t\tSystem Mode.: RUN Mode.\r\n"
              "\t\t\tSPI Mode: Fully supported.\r\n"
              "\t\t\tBOOT-Code.\r\n"
              "\t\t\t\tBOOT-Code Version: 1.4\r\n"
              "\t\t\t\tBOOT-Code ID: 1\r\n"
              "\t\t\tRUN-Code.\r\n"
              "\t\t\t\tRUN-Code Version: 2.10\r\n"
              "\t\t\t\tRUN-Code ID: 3\r\n"
              "\t\t\tCommunication Interface: Serial Port.\r\n"
              "\t\t\tUSB Connection: Disconnected.\r\n"
              "\t\t\tRS232 Interface Levels.: Connected\r\n"
              "\t\t\tEthernet Interface.\r\n"
              "\t\t\t\tMAC Address: 00:0B:3C:00:12:AB\r\n"
              "\t\t\t\tDHCP: Disabled.\r\n"
              "\t\t\t\tIP Address: 169.254.10.20\r\n"
              "\t\t\t\tSubnet Mask.: 255.255.0.0\r\n"
              "\t\t\t\tGateway Address: 169.254.10.1\r\n"
              "\t\tExtension Module #1.\r\n"
              "\t\t\t2 Channel Digital Input Module, 2-AES (22)\r\n"
              "\t\tExtension Module #2.\r\n"
              "\t\t\tAnalogue Input Module, 1-AES 2-ANA (11)\r\n"
              "\t\tExtension Module #5.\r\n"
              "\t\t\tAnalogue Output Module, 1-AES 2-ANA (11)\r\n"
              "\t\tExtension Module #6.\r\n"
              "\t\t\tGPIO Module (10)\r\n"
              "\t\tExpansion Module #1.\r\n"
              "\t\t\t8 Channel Analogue Input Module, 8-ANA\r\n"
              "\t\t\tSoftware Version.: 12\r\n"
              "\t\t\tFirmware Version.: 34\r\n"
              "\t\t\tBoard Temperature: 25 \u00B0C\r\n"
              "\t\tExpansion Module #3.\r\n"
              "\t\t\tDolby-E Decoder Module\r\n"
              "\t\t\tSoftware Version.: 01\r\n"
              "\t\tExpansion Module #7.\r\n"
              "\t\t\tAudio Delay Module\r\n"
              "\t\t\tSoftware Version.: 21\r\n"
              "\t\t\tFirmware Version.: 22\r\n"
              "\t\t\tBoard Temperature: 42 \u00B0C\r\n");
    EXPECT_TRUE(b.view.tree.lines[0].expanded);
}

// A connected instrument behind an I/O-interface, filled by hand.
struct TreeFacts : ConnectionBench {
    TreeFacts()
    {
        identity.connected = true;
        identity.ioInterfacePresent = true;
        identity.serial = 50000;
        identity.typeName = "RX4471K (2.00)";
        identity.softwareVersion = 5.3;
        io.status.boardCode = "200";
        io.status.runMajor = 2;
        io.status.macText = "000B3C123456";
        io.ethernet.valid = true;
    }
    qv::StatusTree tree() const { return qv::BuildSystemTree(identity, io); }
};

TEST(SystemTree, LinesFollowTheFacts)
{
    using Line = std::pair<int, std::string>;
    struct Case {
        const char* name;
        std::function<void(TreeFacts&)> facts;
        std::vector<Line> present;
        std::vector<std::string> absent;
    } cases[] = {
        {"Ethernet record not valid: the status record's MAC text and zero addresses",
         [](TreeFacts& f) { f.io.ethernet.valid = false; },
         {{4, "MAC Address: 00:0B:3C:12:34:56"}, {4, "DHCP: Disabled."}, {4, "IP Address: 000.000.000.000"},
          {4, "Subnet Mask: 000.000.000.000"}, {4, "Gateway Address: 000.000.000.000"}},
         {}},
        {"DHCP", [](TreeFacts& f) { f.io.ethernet.dhcp = 1; }, {{4, "DHCP: Enabled."}}, {"DHCP: Disabled."}},
        {"no RUN code", [](TreeFacts& f) { f.io.status.runMajor = 255; },
         {{4, "RUN-Code Version: None."}, {4, "RUN-Code ID: None."}}, {}},
        {"USB, boot loader running, RS232 levels off",
         [](TreeFacts& f) {
             f.io.status.interface = 4;
             f.io.status.systemMode = 1;
             f.io.status.rs232Levels = 0;
         },
         {{1, "Communication Interface: USB Port."}, {3, "Communication Interface: USB Port."},
          {3, "USB Connection: Connected."}, {3, "System Mode.: BOOT-Load Mode."},
          {3, "RS232 Interface Levels.: Disconnected"}},
         {}},
        {"FPGA programming mode", [](TreeFacts& f) { f.io.status.systemMode = 2; },
         {{3, "System Mode.: FPGA-Programming Mode."}}, {}},
        {"unknown system mode", [](TreeFacts& f) { f.io.status.systemMode = 7; }, {{3, "I/O-Mode: Unknown."}}, {}},
        {"SPI not supported by the module", [](TreeFacts& f) { f.io.spiMode = 254; },
         {{3, "SPI Mode: Not supported by I/O-Interface."}}, {}},
        {"SPI not supported by the FPGA", [](TreeFacts& f) { f.io.spiMode = 255; },
         {{3, "SPI Mode: Not supported by FPGA."}}, {}},
        {"flash identity",
         [](TreeFacts& f) { f.io.flash = {0xF0, 0x12}; },
         {{3, "Flash Manufacturer ID: Unsupported (F0)"}, {3, "Flash ID: SST29LE020 / SST29VE020 (12)"}},
         {}},
        {"unknown flash device", [](TreeFacts& f) { f.io.flash = {0xBF, 0x99}; },
         {{3, "Flash Manufacturer ID: SST (BF)"}, {3, "Flash ID: Unsupported (99)"}}, {}},
        {"slot module without temperature or versions",
         [](TreeFacts& f) {
             f.io.slotInfo[1] = {0xC0, 0, 0, 0};
             f.io.slotInfo[2] = {0x00, 0, 0, 0};
             f.io.slotInfo[3] = {0x42, 1, 1, 1};
         },
         {{2, "Expansion Module #2."}, {3, "8 Channel Analogue Output Module, 8-ANA"}, {2, "Expansion Module #4."},
          {3, "Unknown Module"}, {3, "Board Temperature: -17 \u00B0C"}},
         {"Expansion Module #3.", "Board Temperature: -18 \u00B0C", "Software Version.: 00"}},
        {"BIOS mode through the I/O-interface", [](TreeFacts& f) { f.identity.biosMode = true; },
         {{0, "The instrument is in BIOS-Mode, Serial Number: 50000"}}, {"Software."}},
        {"version from 20 up", [](TreeFacts& f) { f.identity.softwareVersion = 256; },
         {{2, "Software Version: 256"}}, {}},
        {"mainboard modules: inputs 1 to 4, outputs 5 to 8",
         [](TreeFacts& f) {
             f.identity.dot.store(13, 0x05);
             f.identity.dot.store(17, 0x11);
         },
         {{2, "Extension Module #4."}, {3, "Unknown Module (5)"}, {2, "Extension Module #8."},
          {3, "Analogue Output Module, 1-AES 2-ANA (11)"}},
         {"Extension Module #1."}},
    };
    for (const auto& c : cases) {
        TreeFacts f;
        c.facts(f);
        const qv::StatusTree tree = f.tree();
        for (const auto& [depth, text] : c.present)
            EXPECT_TRUE(HasLine(tree, depth, text)) << c.name << ": " << text;
        for (const auto& text : c.absent)
            EXPECT_FALSE(HasText(tree, text)) << c.name << ": " << text;
    }
}

TEST(SystemTree, NothingDetectedLeavesOnlyTheRoot)
{
    TreeFacts f;
    f.identity.connected = false;
    f.identity.ioInterfacePresent = false;
    f.identity.typeName = "Not Connected";
    f.identity.serial = 0;
    EXPECT_EQ(f.tree().flatten(), (std::vector<std::pair<int, std::string>>{{0, "Not Connected, Serial Nummer: 0"}}));
}

TEST(SystemTree, ClipboardTextHasNoIndentation)
{
    qv::StatusTree tree;
    qv::TreeNode& root = tree.add("RVT120S, Serial Nummer: 12345");
    root.add("Hardware.").add("Mainboard.");
    root.add("Extra.");
    EXPECT_EQ(qv::SystemInformationClipboardText(tree),
              "Qvella A/S - Instrument System Information.\rRVT120S, Serial Nummer: 12345\rHardware.\rMainboard."
              "\rExtra.");
}

} // namespace
