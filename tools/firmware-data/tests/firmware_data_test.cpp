#include "firmware_data.h"

#include "data/embedded_data.h"
#include "sim/io_module.h"
#include "sim/jtag_chain.h"
#include "sim/tests/sim_test_support.h"
#include "sim/xsvf_player.h"
#include "updater/intel_hex.h"
#include "updater/xsvf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using qv::sim::test::ModuleDriver;

std::vector<uint8_t> Item(const std::string& name)
{
    const auto item = qv::EmbeddedData(name);
    return {item.begin(), item.end()};
}

std::string ItemText(const std::string& name)
{
    const auto bytes = Item(name);
    return {bytes.begin(), bytes.end()};
}

TEST(FirmwareData, CommittedItemsAreWhatTheToolMakes)
{
    for (const auto& item : qvtools::FirmwareDataItems()) {
        const std::string name = item.file.substr(0, item.file.find('.'));
        EXPECT_EQ(Item(name), item.bytes) << "regenerate with firmware-data data/items";
    }
}

// The probes as their description lists them, instruction by instruction.
TEST(FirmwareData, ProbesHoldTheDescribedInstructions)
{
    for (const auto& [name, identity] : {std::pair{"VP_20", "00F1266093"}, std::pair{"VP_30", "00F127E093"}}) {
        SCOPED_TRACE(name);
        std::vector<std::string> expected{"XREPEAT 0", "XENDIR 0 Run-Test/Idle", "XENDDR 0 Run-Test/Idle",
                                          "XSTATE 0 Test-Logic-Reset", "XSTATE 1 Run-Test/Idle", "XRUNTEST 0",
                                          "XSIR 30 3FFFFFC9"};
        for (int i = 0; i < 3; ++i) {
            expected.push_back("XSDRSIZE 33");
            expected.push_back("XTDOMASK 000FFFFFFF");
            expected.push_back(std::string("XSDRTDO 0000000000 ") + identity);
        }
        for (const char* line : {"XREPEAT 32", "XSTATE 0 Test-Logic-Reset", "XSTATE 1 Run-Test/Idle",
                                 "XSIR 30 3FFFFFFF", "XSDRSIZE 2", "XTDOMASK 00", "XSDR 00", "XCOMPLETE"})
            expected.push_back(line);

        const auto bytes = Item(name);
        const auto listing = qv::xsvf::Read(bytes);
        ASSERT_TRUE(listing.complete);
        EXPECT_EQ(listing.trailingBytes, 0u);
        std::vector<std::string> lines;
        for (const auto& in : listing.instructions)
            lines.push_back(qv::xsvf::Describe(in));
        EXPECT_EQ(lines, expected);
        EXPECT_EQ(bytes.size(), 109u);
    }
}

TEST(FirmwareData, ProbesTellTheFpgasApart)
{
    const struct {
        uint32_t idcode;
        uint8_t vp20;
        uint8_t vp30;
    } cases[] = {
        {qv::sim::kVp20Idcode, qv::sim::XsvfPlayer::kSuccess, qv::sim::XsvfPlayer::kTdoMismatch},
        {qv::sim::kVp30Idcode, qv::sim::XsvfPlayer::kTdoMismatch, qv::sim::XsvfPlayer::kSuccess},
        {0xF127E093, qv::sim::XsvfPlayer::kTdoMismatch, qv::sim::XsvfPlayer::kSuccess}, // another revision
        {0x0A001093, qv::sim::XsvfPlayer::kTdoMismatch, qv::sim::XsvfPlayer::kTdoMismatch},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.idcode);
        for (const auto& [name, status] : {std::pair{"VP_20", c.vp20}, std::pair{"VP_30", c.vp30}}) {
            qv::sim::JtagChain chain(c.idcode);
            qv::sim::XsvfPlayer player(chain, 8192);
            EXPECT_TRUE(player.feed(Item(name)));
            EXPECT_EQ(player.status(), status) << name;
        }
    }
}

TEST(FirmwareData, LoaderImagesAreCleanHex)
{
    for (const auto& [name, lines] : {std::pair{"FPGA_PRG", 1402u}, std::pair{"FPGA_PRG14", 1380u}}) {
        SCOPED_TRACE(name);
        const std::string text = ItemText(name);
        EXPECT_NEAR(double(text.size()), name == std::string("FPGA_PRG") ? 63000 : 62000, 500);
        const auto hex = qv::ihex::ParseHexText(text);
        EXPECT_TRUE(hex.problems.empty());
        EXPECT_EQ(hex.records.size(), lines);
        EXPECT_EQ(hex.records.back().type, qv::ihex::kEndOfFile);
        EXPECT_EQ(qv::ihex::DataRange(hex.records).first, qv::sim::kIoApplicationStart);
        EXPECT_NE(text.find("\r\n"), std::string::npos);
    }
}

// Both stages download through the simulated boot loader as the host sends
// embedded lines, and run as the FPGA loader afterwards.
TEST(FirmwareData, SimulatedModuleRunsBothLoaderStages)
{
    qv::sim::IoModuleOptions o;
    o.systemMode = 1;
    ModuleDriver d(o);
    ASSERT_EQ(d.send("@AT+++\r"), "OK\r\n");
    for (const auto& [name, minor] : {std::pair{"FPGA_PRG", 11}, std::pair{"FPGA_PRG14", 14}}) {
        SCOPED_TRACE(name);
        if (d.module.options().systemMode != 1) {
            ASSERT_EQ(d.send("@ATRUNBL\r"), "OK\r\n");
            d.pauseMs(d.module.options().restartMs);
            ASSERT_EQ(d.send("@AT+++\r"), "OK\r\n");
        }
        ASSERT_EQ(d.send("@ATErase\r"), "OK\r\n");
        ASSERT_EQ(d.send("@ATPrg\r"), "OK\r\n");
        EXPECT_EQ(d.send(ItemText(name)), "") << "no error line";
        ASSERT_EQ(d.send("@ATRUN\r"), "OK\r\n");
        d.pauseMs(d.module.options().restartMs);
        ASSERT_EQ(d.send("@AT+++\r"), "OK\r\n");
        const std::string status = d.send("@ATSTAT\r");
        ASSERT_GT(status.size(), 15u);
        EXPECT_EQ(status[1], 0) << "RUN mode";
        EXPECT_EQ(uint8_t(status[13]), minor);
        EXPECT_EQ(uint8_t(status[14]), 3) << "RUN-code ID of the FPGA loader";
        EXPECT_EQ(uint8_t(d.send(std::string("@ATRDREG\r\0", 10)).at(0)), minor);
    }
}

} // namespace
