// Expansion modules behind the SPI UART: their queries, the programming of
// their FPGA in 50-byte blocks, and the faults a host must survive.
#include "sim/fpga_image.h"
#include "sim/front_panel.h"
#include "sim/io_module.h"
#include "sim/virtual_instrument.h"
#include "sim_test_support.h"
#include "updater/xsvf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qv::sim {
namespace {

using test::Bitstream;
using test::Bytes;
using test::ModuleDriver;

constexpr int kSlot = 3;

Bytes Image(uint32_t idcode, const Bytes& bitstream)
{
    return xsvf::Encode(fpgaConfigurationProgram(idcode, bitstream, 256));
}

// A module in kSlot, the SPI UART routed to it and the module transparent.
struct SlotBench {
    explicit SlotBench(SlotModuleOptions slot = {0xB0}) : driver(WithSlot(slot))
    {
        driver.send("@AT+++\r");
        Bytes route = test::textBytes("@ATSPIUartDest\r");
        route.push_back(kSlot);
        driver.send(route);
        driver.send("@AT---\r");
    }
    static IoModuleOptions WithSlot(SlotModuleOptions slot)
    {
        IoModuleOptions options;
        options.slotModules[kSlot - 1] = slot;
        return options;
    }

    // Sends "b" and the image in zero-padded blocks while the module asks
    // for more; the replies in order.
    Bytes program(const Bytes& image)
    {
        Bytes replies = driver.send(Bytes{'b'});
        for (size_t at = 0; !replies.empty() && replies.back() == '1'; at += 50) {
            Bytes block(50, 0);
            for (size_t i = 0; i < 50 && at + i < image.size(); ++i)
                block[i] = image[at + i];
            const Bytes reply = driver.send(block);
            if (reply.empty())
                break;
            replies.insert(replies.end(), reply.begin(), reply.end());
        }
        return replies;
    }
    const SlotModule& module() const { return driver.module.slotModule(kSlot); }

    ModuleDriver driver;
};

TEST(SlotModule, TakesAnImageBlockByBlockAndConfiguresItsFpga)
{
    SlotBench b;
    const Bytes bitstream = Bitstream(700);
    const Bytes image = Image(kSlotFpgaIdcode, bitstream);
    const Bytes replies = b.program(image);
    ASSERT_GE(replies.size(), 3u);
    EXPECT_EQ(Bytes(replies.begin(), replies.begin() + 2), (Bytes{'b', '1'}));
    EXPECT_EQ(replies.back(), 0) << "the player's success";
    EXPECT_EQ(std::count(replies.begin() + 2, replies.end(), '1'), std::ptrdiff_t((image.size() + 49) / 50 - 1))
        << "one '1' per block but the last";
    ASSERT_NE(b.module().fpga(), nullptr);
    EXPECT_EQ(b.module().fpga()->configuration(), bitstream);
    EXPECT_TRUE(b.module().fpga()->started());
    EXPECT_FALSE(b.module().programming());
    EXPECT_EQ(b.driver.send("c"), "c\xB0") << "it answers queries again";
}

TEST(SlotModule, ImageForAnotherFpgaEndsWithATdoMismatch)
{
    SlotBench b;
    const Bytes replies = b.program(Image(kVp20Idcode, Bitstream(100)));
    EXPECT_EQ(replies.back(), 2);
    EXPECT_FALSE(b.module().fpga()->started());
}

TEST(SlotModule, FaultsAHostMustSurvive)
{
    SlotModuleOptions swapped{0xB0};
    swapped.swappedId = 0xC0;
    SlotBench a(swapped);
    EXPECT_EQ(a.driver.send("c"), "c\xB0") << "the scan sees the module it expects";
    EXPECT_EQ(a.driver.send("c"), "c\xC0") << "later queries another one";

    SlotModuleOptions silent{0xB0};
    silent.silentAfterBlocks = 3;
    SlotBench b(silent);
    const Bytes replies = b.program(Image(kSlotFpgaIdcode, Bitstream(700)));
    EXPECT_EQ(replies, (Bytes{'b', '1', '1', '1'})) << "nothing after the third block";
    EXPECT_EQ(b.driver.send("c"), "") << "and nothing ever after";

    SlotBench empty(SlotModuleOptions{});
    EXPECT_EQ(empty.driver.send("b"), "") << "an empty slot answers nothing";
}

TEST(SlotModule, AHostThatGivesUpMidBlockIsHeardAgain)
{
    SlotBench b;
    ASSERT_EQ(b.driver.send(Bytes{'b'}), (Bytes{'b', '1'}));
    b.driver.send(Bytes(20, 0x07));
    EXPECT_TRUE(b.module().programming());
    b.driver.pauseMs(1500);
    EXPECT_EQ(b.driver.send("c"), "c\xB0");
    EXPECT_FALSE(b.module().programming());
}

TEST(FrontPanel, TellsTheIoModuleAndTheFpgas)
{
    InstrumentOptions options;
    options.ioModule.present = true;
    options.ioModule.slotModules[kSlot - 1] = {0xB0};
    VirtualInstrument v(options);
    FrontPanel panel(v.instrument, v.clock, v.wire.ioModule());
    EXPECT_EQ(panel.command("io"), "RUN 2.10 (ID 3), system mode 0: I/O-Interface RUN 2.10");
    EXPECT_EQ(panel.command("fpga"), "not configured");
    EXPECT_EQ(panel.command("slot 3"), "not configured");
    EXPECT_EQ(panel.command("slot 8"), panel.command("nonsense"));

    v.port.open("SIM");
    const Bytes image = Image(kVp20Idcode, Bitstream(300));
    v.port.write("@AT+++\r@ATJTAG\r");
    Bytes block(1024, 0xFF);
    std::copy(image.begin(), image.end(), block.begin() + 1);
    uint8_t sum = 0;
    for (size_t i = 1; i < block.size(); ++i)
        sum = uint8_t(sum + block[i]);
    block[0] = uint8_t(sum ^ 0x55);
    v.clock.sleepMs(20);
    v.port.write(block.data(), block.size());
    v.clock.sleepMs(20);
    v.wire.hostAvailable();
    EXPECT_EQ(panel.command("fpga"), "configured 300 bytes, started");

    VirtualInstrument plain;
    EXPECT_EQ(FrontPanel(plain.instrument, plain.clock).command("io"), "no I/O module");
}

} // namespace
} // namespace qv::sim
