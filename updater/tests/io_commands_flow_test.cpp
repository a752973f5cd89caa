// The I/O module's commands, restarts and erase against the simulated module.
#include "io_fixture.h"

#include "link/update_instrument_info.h"
#include "link/update_link.h"
#include "platform/host/recording_progress.h"

#include <gtest/gtest.h>

namespace {

using qv::sim::IoModuleOptions;

TEST(IoCommands, LinkSpeedReopensThePortAtTheNewRate)
{
    IoBench b;
    ASSERT_TRUE(b.io.SetLinkSpeed(true));
    EXPECT_TRUE(b.sim.port.isOpen());
    EXPECT_EQ(b.sim.port.baudRate(), 115200);
    EXPECT_EQ(b.module().count("@ATHS"), 1);
    // The module answers at the new rate as well.
    EXPECT_EQ(b.io.ReadIoStatus(), qv::IOSTAT_OK);

    ASSERT_TRUE(b.io.SetLinkSpeed(false));
    EXPECT_EQ(b.sim.port.baudRate(), 9600);
    EXPECT_EQ(b.io.ReadIoStatus(), qv::IOSTAT_OK);
}

TEST(IoCommands, LinkSpeedUnchangedWhenNotAcknowledged)
{
    // An instrument without a module: nothing answers "@ATHS".
    qv::sim::VirtualInstrument bare;
    bare.port.open("SIM");
    qv::UpdateChannel channel(bare.port, {bare.clock, bare.pump, bare.prompter});
    qv::UpdateIdentity identity;
    qv::IoInterface io(channel, identity);
    EXPECT_FALSE(io.SetLinkSpeed(true));
    EXPECT_EQ(bare.port.baudRate(), 9600);
    EXPECT_TRUE(bare.port.isOpen());
}

TEST(IoCommands, KeyLineAndFpgaReloadRestartTheInstrument)
{
    IoBench b;
    qv::UpdateLink link(b.channel);
    qv::UpdateInstrumentInfo info(link, b.identity);

    ASSERT_TRUE(b.io.EnterBiosMode());
    EXPECT_TRUE(b.module().keyDown());
    EXPECT_EQ(b.sim.instrument.restartCount(), 1);
    b.sim.clock.sleepMs(b.sim.instrument.options().bootMs);
    ASSERT_EQ(b.io.SetIoMode(false), qv::ATCMD_OK);
    EXPECT_FALSE(info.CheckedWordRead());
    EXPECT_TRUE(b.identity.biosMode);

    qv::RecordingProgress bar;
    qv::TextPanel status, percent;
    b.io.RestartInstrument(&bar, &status, &percent);
    b.settle(); // the restart command is not awaited
    EXPECT_FALSE(b.module().keyDown());
    EXPECT_EQ(b.sim.instrument.restartCount(), 2);
    EXPECT_EQ(status.texts, (std::vector<std::string>{"Restarting Instrument - Please Wait...", "Done."}));
    EXPECT_EQ(percent.texts, (std::vector<std::string>{"0%", "50%", "100 %"}));
    EXPECT_EQ(bar.positions, (std::vector<int64_t>{0, 1, 2}));
    EXPECT_EQ(bar.maximum(), 2);
    b.sim.clock.sleepMs(b.sim.instrument.options().bootMs);
    EXPECT_TRUE(info.CheckedWordRead());
    EXPECT_FALSE(b.identity.biosMode);

    // Key up and a reload restart it normally as well.
    ASSERT_TRUE(b.io.SetKeyDown(false));
    ASSERT_TRUE(b.io.ReloadFpga());
    EXPECT_EQ(b.sim.instrument.restartCount(), 3);
    EXPECT_FALSE(b.sim.instrument.options().biosMode);
}

TEST(IoCommands, MainboardInformationAndRegisters)
{
    IoBench b;
    b.sim.instrument.options().hardwareId = 7;
    ASSERT_TRUE(b.io.ReadEeInfo());
    EXPECT_EQ(b.io.eeInfo.hardwareId, 7);
    EXPECT_EQ(b.io.eeInfo.inputVideoChannels, 2);
    EXPECT_EQ(b.io.eeInfo.outputVideoChannels, 2);

    std::array<uint8_t, 16> block{};
    ASSERT_TRUE(b.io.ReadMainboardBlock(33, block)) << "a blank block still reads";
    EXPECT_EQ(block[0], 0xFF);

    b.module().options().loaderRegister = 11;
    EXPECT_EQ(b.io.ReadLoaderRegister(), 11);
    EXPECT_TRUE(b.io.ResetEthernet());
    EXPECT_EQ(b.module().ethernetResets(), 1);
}

TEST(IoCommands, UnprogrammedInformationBlock)
{
    IoBench b;
    b.sim.instrument.options().hardwareId = 0xFF;
    EXPECT_FALSE(b.io.ReadEeInfo());
    EXPECT_EQ(b.io.eeInfo.hardwareId, 0xFF);
}

TEST(IoRestart, RestartIntoTheBootLoaderAndBack)
{
    IoBench b;
    ASSERT_EQ(b.io.DetectIoInterface(true), qv::IOSTAT_OK);
    ASSERT_EQ(b.io.RestartIoModule(true), qv::ATCMD_OK);
    EXPECT_FALSE(b.sim.port.isOpen());

    qv::RecordingProgress bar;
    const int64_t start = b.sim.clock.nowMs();
    b.io.WaitIoRestart(&bar);
    EXPECT_GE(b.elapsedMs(start), 10'000);
    EXPECT_EQ(bar.maximum(), 1000);
    EXPECT_EQ(bar.position(), 1000);
    ASSERT_EQ(b.io.DetectIoInterface(true), qv::IOSTAT_OK);
    EXPECT_EQ(b.io.status.systemMode, qv::at::kSystemModeBootLoad);

    ASSERT_EQ(b.io.RestartIoModule(false), qv::ATCMD_OK);
    b.io.WaitIoRestart(nullptr);
    ASSERT_EQ(b.io.DetectIoInterface(true), qv::IOSTAT_OK);
    EXPECT_EQ(b.io.status.systemMode, qv::at::kSystemModeRun);
}

TEST(IoRestart, WaitEndsWhenStopped)
{
    IoBench b;
    b.channel.stop = true;
    qv::RecordingProgress bar;
    const int64_t start = b.sim.clock.nowMs();
    b.io.WaitIoRestart(&bar);
    EXPECT_EQ(b.elapsedMs(start), 0);
    EXPECT_EQ(bar.position(), 0);
}

TEST(IoRestart, RefusedRestart)
{
    IoModuleOptions o;
    o.refuseBootLoader = true;
    IoBench b(o);
    ASSERT_EQ(b.io.SetIoMode(true), qv::ATCMD_OK);
    EXPECT_EQ(b.io.RestartIoModule(true), qv::ATCMD_WRONG);
    EXPECT_TRUE(b.sim.port.isOpen());
    EXPECT_EQ(b.module().restarts(), 0);
}

TEST(IoErase, ErasesInTheBootLoader)
{
    IoBench b;
    ASSERT_EQ(b.io.DetectIoInterface(true), qv::IOSTAT_OK);
    qv::TextPanel status;
    qv::RecordingProgress bar;
    EXPECT_EQ(b.io.EraseIoFlash(&status, &bar), qv::kIoFlashErased);
    EXPECT_TRUE(b.module().flashErased());
    EXPECT_EQ(status.texts, (std::vector<std::string>{"Executing I/O Bootloader...", "Erasing I/O flash..."}));
    EXPECT_EQ(bar.maximum(), 1000);

    // Already in the boot loader: erased again without a restart.
    const int restarts = b.module().restarts();
    EXPECT_EQ(b.io.EraseIoFlash(nullptr, nullptr), qv::kIoFlashErased);
    EXPECT_EQ(b.module().restarts(), restarts);
}

TEST(IoErase, RefusalIsNotSuccess)
{
    // The boot loader cannot be started, the erase goes to the RUN code,
    // which refuses with "Not OK": that line ends in "OK" too.
    IoModuleOptions o;
    o.refuseBootLoader = true;
    IoBench b(o);
    ASSERT_EQ(b.io.DetectIoInterface(true), qv::IOSTAT_OK);
    EXPECT_EQ(b.io.EraseIoFlash(nullptr, nullptr), qv::kIoFlashEraseWrongReply);
    EXPECT_FALSE(b.module().flashErased());
}

TEST(IoErase, ReconnectionFailureIsTheResult)
{
    IoModuleOptions o;
    o.badStatusChecksum = true;
    IoBench b(o);
    ASSERT_EQ(b.io.SetIoMode(true), qv::ATCMD_OK);
    EXPECT_EQ(b.io.EraseIoFlash(nullptr, nullptr), qv::IOSTAT_ERROR_CRC);
    EXPECT_FALSE(b.module().flashErased());
}

TEST(IoErase, NoReply)
{
    IoBench b;
    b.io.status.systemMode = qv::at::kSystemModeBootLoad;
    b.channel.rxMode = qv::RxMode::AtLines;
    // Transparent: the erase command goes to the instrument, which keeps quiet.
    EXPECT_EQ(b.io.EraseIoFlash(nullptr, nullptr), qv::kIoFlashEraseNoReply);
}

} // namespace
