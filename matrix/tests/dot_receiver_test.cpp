#include "link/tests/fake_port.h"
#include "matrix/dot_receiver.h"
#include "platform/host/clock.h"
#include "platform/host/event_pump.h"
#include "platform/host/scripted_prompter.h"

#include <gtest/gtest.h>

namespace {

struct ReceiverBench : ::testing::Test {
    qv::VirtualClock clock;
    qv::CallbackEventPump pump;
    qv::ScriptedPrompter prompter;
    FakePort port;
    qv::MatrixChannel channel{port, {clock, pump, prompter}};
    qv::DotReceiver receiver{channel};
    std::vector<std::string> parsed;

    void SetUp() override
    {
        channel.init().selectPort("ttyS0");
        ASSERT_TRUE(channel.OpenPort());
        receiver.parseLine = [this](const std::string& line) { parsed.push_back(line); };
    }
};

TEST_F(ReceiverBench, WaitingModeCollectsCompleteLinesOnly)
{
    port.receive("stale");
    receiver.enterWaitingMode();
    port.receive(".AG3,-35\r\n.AA1,2*\r\n");
    port.receive(".AA4,");
    EXPECT_EQ(receiver.collected(), ".AG3,-35.AA1,2*") << "lines joined without their breaks, no part line";
    EXPECT_TRUE(parsed.empty());
    EXPECT_TRUE(channel.lineReceived);

    receiver.leaveWaitingMode();
    port.receive("12*\r\n.U\r\n");
    EXPECT_EQ(parsed, (std::vector<std::string>{".AA4,12*", ".U"})) << "outside waiting mode lines are parsed one by one";
}

TEST_F(ReceiverBench, EnteringWaitingModeEndsTheIdentityQueryCollecting)
{
    // A successful identity query leaves the channel collecting.
    channel.collectOnly = true;
    port.receive(".AI1,12345\r\n");
    receiver.enterWaitingMode();
    EXPECT_FALSE(channel.collectOnly);
    EXPECT_TRUE(channel.lineBuffer.empty());
    port.receive(".AG1,0\r\n");
    EXPECT_EQ(receiver.collected(), ".AG1,0");
}

TEST_F(ReceiverBench, LeavingWaitingModeHandsLinesToTheParser)
{
    channel.collectOnly = true;
    receiver.leaveWaitingMode();
    port.receive(".AP9,4\r\n");
    EXPECT_EQ(parsed, (std::vector<std::string>{".AP9,4"}));
}

} // namespace
