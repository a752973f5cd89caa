#include "fake_port.h"
#include "link/matrix_channel.h"
#include "platform/host/clock.h"
#include "platform/host/event_pump.h"
#include "platform/host/scripted_prompter.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct ChannelBench : ::testing::Test {
    qv::VirtualClock clock;
    qv::CallbackEventPump pump;
    qv::ScriptedPrompter prompter;
    FakePort port;
    qv::MatrixChannel channel{port, {clock, pump, prompter}};
    std::vector<std::string> lines;

    void SetUp() override
    {
        channel.init().selectPort("ttyS4");
        channel.lineHandler = [this](const std::string& line) { lines.push_back(line); };
        ASSERT_TRUE(channel.OpenPort());
    }
};

TEST_F(ChannelBench, LineAssembledAcrossNotificationsAndSplitLineEnd)
{
    port.receive(".AA5,");
    port.receive("12*\r");
    EXPECT_TRUE(lines.empty());
    port.receive("\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], ".AA5,12*");
    EXPECT_TRUE(channel.lineReceived);
    EXPECT_TRUE(channel.lineBuffer.empty());
}

TEST_F(ChannelBench, BinaryModeLeavesBytesQueued)
{
    channel.binaryMode = true;
    port.receive(".AA1,2*\r\n");
    EXPECT_TRUE(channel.byteArrived);
    EXPECT_TRUE(lines.empty());
    EXPECT_TRUE(channel.lineBuffer.empty());
    EXPECT_EQ(port.inputCount(), 9);
}

TEST_F(ChannelBench, LineWithoutEndStaysBuffered)
{
    port.receive("AP9,3");
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(channel.lineBuffer, "AP9,3");
    port.receive("*\r\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "AP9,3*");
}

TEST_F(ChannelBench, CollectOnlyJoinsLines)
{
    channel.collectOnly = true;
    port.receive(".AI1,12345\r\n");
    port.receive(".AI3,110\r\n");
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(channel.lineBuffer, ".AI1,12345.AI3,110");
}

TEST_F(ChannelBench, WaitLineEndsAtItsBoundAndClearsTheFlag)
{
    int64_t start = clock.nowMs();
    channel.WaitLine(100);
    EXPECT_EQ(clock.nowMs() - start, 1000);

    pump.add([this] {
        if (port.input.empty() && !channel.lineReceived)
            port.receive("AP15,20.\r\n");
    });
    start = clock.nowMs();
    channel.WaitLine(100);
    EXPECT_LT(clock.nowMs() - start, 20);
    EXPECT_FALSE(channel.lineReceived);
}

TEST_F(ChannelBench, WaitReplyBoundAndWaitInputDoesNotPump)
{
    int64_t start = clock.nowMs();
    EXPECT_FALSE(channel.WaitReply());
    EXPECT_EQ(clock.nowMs() - start, 200 * 5);

    int pumpsBefore = pump.pumpCount();
    start = clock.nowMs();
    EXPECT_FALSE(channel.WaitInput(3));
    EXPECT_EQ(clock.nowMs() - start, 33);
    EXPECT_EQ(pump.pumpCount(), pumpsBefore);
    EXPECT_FALSE(channel.binaryMode);
}

TEST_F(ChannelBench, OpenFailureNamesThePortAndClearsTimeout)
{
    using Failure = qv::SerialPort::OpenFailure;
    const std::pair<Failure, const char*> cases[] = {
        {Failure::NoDevice, "Unable to open /dev/ttyUSB7"},
        {Failure::Other, "Unable to open /dev/ttyUSB7"},
        {Failure::Busy, "/dev/ttyUSB7 is not available, it could be in use by another application."},
    };
    port.refuse = true;
    channel.init().selectPort("/dev/ttyUSB7");
    for (const auto& [failure, text] : cases) {
        prompter.clearShown();
        channel.timeout = true;
        port.refusal = failure;
        EXPECT_FALSE(channel.OpenPort());
        EXPECT_FALSE(channel.timeout);
        ASSERT_EQ(prompter.shown().size(), 1u);
        EXPECT_EQ(prompter.shown()[0].text, text);
        EXPECT_EQ(prompter.shown()[0].kind, qv::MessageKind::Error);
    }
    prompter.clearShown();
    EXPECT_FALSE(channel.OpenPort(true));
    EXPECT_TRUE(prompter.shown().empty()) << "quiet";
}

TEST_F(ChannelBench, OpenStartsTheLogOnlyWithAPath)
{
    auto path = std::filesystem::temp_directory_path() / "qv-channel-open.log";
    std::filesystem::remove(path);
    EXPECT_TRUE(channel.OpenPort());
    EXPECT_FALSE(channel.log().enabled());
    channel.init().logPath = path.string();
    EXPECT_TRUE(channel.OpenPort());
    EXPECT_TRUE(std::filesystem::exists(path));

    // Opened again after the port went away: what was logged stays.
    channel.log().named("Before the reopen");
    const auto logged = std::filesystem::file_size(path);
    EXPECT_TRUE(channel.OpenPort());
    EXPECT_EQ(std::filesystem::file_size(path), logged);
    std::filesystem::remove(path);
}

TEST_F(ChannelBench, DeferredWorkRunsWhenTheTimerFires)
{
    int armedMs = 0;
    int runs = 0;
    channel.startDeferralTimer = [&](int ms) { armedMs = ms; };
    channel.Defer([&] { ++runs; });
    EXPECT_EQ(armedMs, 100);
    EXPECT_EQ(runs, 0);
    channel.DeferralTimerFired();
    channel.DeferralTimerFired();
    EXPECT_EQ(runs, 1);
}

} // namespace
