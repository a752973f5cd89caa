// The simulated I/O-interface module on its own and on the wire.
#include "sim/io_module.h"
#include "sim/virtual_instrument.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

namespace qv::sim {
namespace {

using test::Bytes;
using test::ModuleDriver;
using test::textBytes;

TEST(IoModule, TransparentUntilCommandModeIsAsked)
{
    ModuleDriver d;
    EXPECT_EQ(d.send(Bytes{0xA6, 0x6D}), Bytes{0x05}) << "the instrument answers through the module";
    EXPECT_EQ(d.send("@AT+++\r"), "OK\r\n");
    EXPECT_TRUE(d.module.commandMode());
    EXPECT_EQ(d.send("\xA6\x6D\r"), "Not OK\r\n") << "in command mode nothing reaches the instrument";
    EXPECT_EQ(d.send("@ATVER\r"), "I/O-Interface RUN 2.10\r\n");
    EXPECT_EQ(d.send("@AT---\r"), "OK\r\n");
    EXPECT_FALSE(d.module.commandMode());
    EXPECT_EQ(d.send(Bytes{0xA6, 0x6D}), Bytes{0x05});
}

TEST(IoModule, StatusRecord)
{
    IoModuleOptions o;
    o.boardCode = "201";
    o.productCode = 0xD1;
    ModuleDriver d(o);
    d.instrument.options().serial = 0x1234;
    d.send("@AT+++\r");
    const std::string r = d.send("@ATSTAT\r");
    ASSERT_EQ(r.size(), 33u);
    EXPECT_EQ(uint8_t(r[0]), 31);
    EXPECT_EQ(r.substr(9, 3), "201");
    EXPECT_EQ(r.substr(15, 12), "000B3C0012AB");
    EXPECT_EQ(uint8_t(r[27]), 0x12);
    EXPECT_EQ(uint8_t(r[28]), 0x34);
    EXPECT_EQ(uint8_t(r[29]), 0xD1);
    unsigned sum = 0;
    for (size_t i = 0; i < 30; ++i)
        sum += uint8_t(r[i]);
    EXPECT_EQ(uint8_t(r[30]), uint8_t((sum & 0xFF) ^ 0x55));
    EXPECT_EQ(r.substr(31), "\r\n");
}

TEST(IoModule, RestartPauseAndBootLoader)
{
    ModuleDriver d;
    d.send("@AT+++\r");
    EXPECT_EQ(d.send("@ATErase\r"), "Not OK\r\n") << "the RUN code does not erase its own flash";
    EXPECT_EQ(d.send("@ATRUNBL\r"), "OK\r\n");
    EXPECT_EQ(d.send("@AT+++\r"), "") << "restarting";
    d.timeUs += int64_t(d.module.options().restartMs) * 1000;
    EXPECT_FALSE(d.module.commandMode());
    EXPECT_EQ(d.send("@AT+++\r"), "OK\r\n");
    EXPECT_EQ(d.send("@ATErase\r"), "OK\r\n");
    EXPECT_TRUE(d.module.flashErased());
    EXPECT_EQ(uint8_t(d.send("@ATSTAT\r")[12]), 0xFF) << "no RUN code left";

    d.send("@ATRUN\r");
    d.timeUs += int64_t(d.module.options().restartMs) * 1000;
    d.send("@AT+++\r");
    EXPECT_EQ(d.send("@ATSTAT\r")[1], 1) << "without RUN code it stays in the boot loader";
}

TEST(IoModule, SpiUartRoutesTransparentBytesToASlot)
{
    IoModuleOptions o;
    o.slotModules[1] = {0xB1, 0x10, 0x20, 50, true};
    o.slotModules[4].routable = false;
    ModuleDriver d(o);
    d.send("@AT+++\r");
    EXPECT_EQ(d.send("@ATSPIUartDest\r\x05"), "Not OK\r\n");
    EXPECT_EQ(d.send("@ATSPIUartDest\r\x09"), "Not OK\r\n");
    EXPECT_EQ(d.send("@ATSPIUartDest\r\x02"), "OK\r\n");
    EXPECT_EQ(d.module.spiDestination(), 2);
    d.send("@AT---\r");
    EXPECT_EQ(d.send("c"), "c\xB1");
    EXPECT_EQ(d.send("e"), "e\x10");
    EXPECT_EQ(d.send("j"), "j\x32");
    EXPECT_EQ(d.send(Bytes{'g', 0x61, 0x00, 0x01}), (Bytes{'g', 0x61, 0x00, 0x01, 0x20}));
    EXPECT_EQ(d.send(Bytes{0xA6, 0x6D}), Bytes{}) << "the instrument is not reached";

    d.send("@AT+++\r");
    d.send("@ATSPIUartDest\r\x01");
    d.send("@AT---\r");
    EXPECT_EQ(d.send("c"), "") << "an empty slot keeps quiet";
}

TEST(IoModule, BinaryReads)
{
    ModuleDriver d;
    d.instrument.options().hardwareId = 3;
    d.send("@AT+++\r");
    EXPECT_EQ(d.send("@ATRDFlashID\r"), "\xBF\x13\x1B");
    EXPECT_EQ(d.send(std::string("@ATRDREG\r\0", 10)), "\x0C");
    EXPECT_EQ(d.send("@ATRDMB\r"), "OK\r\n") << "acknowledged before the address";
    const std::string block = d.send(std::string("\0\x20", 2));
    ASSERT_EQ(block.size(), 18u);
    EXPECT_EQ(block[1], 15);
    EXPECT_EQ(block.substr(3, 4), "\x03" "200");
}

TEST(IoModule, LinkSpeedPacesTheWireAfterTheAcknowledgement)
{
    InstrumentOptions options;
    options.ioModule.present = true;
    VirtualInstrument v(options);
    v.port.open("SIM");
    v.port.write("@AT+++\r");
    v.clock.sleepMs(10);
    EXPECT_EQ(v.port.readText(100), "OK\r\n");

    v.port.write("@ATHS\r");
    // The acknowledgement still comes at 9600 baud: four bytes take 4.2 ms.
    v.clock.sleepMs(4);
    EXPECT_EQ(v.port.inputCount(), 3);
    v.clock.sleepMs(1);
    EXPECT_EQ(v.port.readText(100), "OK\r\n");
    EXPECT_EQ(v.wire.baudRate(), 115200) << "a pseudo-terminal never changes the rate itself";

    v.port.write("@ATLS\r");
    v.clock.sleepMs(1);
    EXPECT_EQ(v.port.readText(100), "OK\r\n");
    EXPECT_EQ(v.wire.baudRate(), 9600);
}

} // namespace
} // namespace qv::sim
