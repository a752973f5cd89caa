#include "dot_recorder.h"
#include "link/tests/sim_fixture.h"
#include "matrix/dot_commands.h"
#include "matrix/dot_gain.h"
#include "matrix/dot_receiver.h"
#include "sim/front_panel.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using Events = std::vector<std::string>;

// QV-Matrix's receiving side in remote control against the simulated
// instrument: lines are parsed as they arrive.
struct RemoteBench {
    MatrixSimBench b;
    qv::DotReceiver receiver{b.channel};
    DotRecorder recorder;
    qv::sim::FrontPanel panel{b.sim.instrument, b.sim.clock};

    RemoteBench()
    {
        receiver.parseLine = [this](const std::string& line) {
            qv::ParseDotText(line, qv::DotParseState{true, false}, recorder);
        };
    }
    // Lets the line run for a while, handling what arrives.
    Events after(int ms)
    {
        for (int t = 0; t < ms; t += qv::MatrixChannel::kLinePollMs) {
            b.sim.pump.pump();
            b.sim.clock.sleepMs(qv::MatrixChannel::kLinePollMs);
        }
        return std::exchange(recorder.events, {});
    }
    Events send(const std::string& command, int ms = 100)
    {
        b.channel.port().write(command);
        return after(ms);
    }
};

TEST(DotRemoteFlow, CrosspointsSetRefusedAndListed)
{
    RemoteBench r;
    EXPECT_EQ(r.send(qv::DotSetCrosspoint(5, 12)), (Events{"AA 5,12 remote", "shown .AA5,12"}));
    EXPECT_EQ(r.send(qv::DotSetCrosspoint(63, 1)), (Events{"refused 63,1", "shown .FA63,1"}));

    const Events listed = r.send(qv::DotCrosspointList(1), 300);
    ASSERT_EQ(listed.size(), 20u);
    EXPECT_EQ(listed[0], "AA 1,1 remote");
    EXPECT_EQ(listed[8], "AA 5,12 remote");
    EXPECT_EQ(listed[18], "AA 10,10 remote");
}

TEST(DotRemoteFlow, PresetChangesAreReported)
{
    RemoteBench r;
    EXPECT_EQ(r.send(qv::DotPresetQuery()), (Events{"preset 1", "shown .AP9,1"}));
    EXPECT_EQ(r.send(qv::DotSelectPreset(4)), (Events{"preset 4", "shown .AP9,4"}));
    ASSERT_TRUE(r.panel.selectPreset(2));
    EXPECT_EQ(r.after(100), (Events{"preset 2", "shown .AP9,2"}));
}

TEST(DotRemoteFlow, FrontPanelAndPowerUpNotices)
{
    RemoteBench r;
    ASSERT_TRUE(r.panel.route(7, 3));
    EXPECT_EQ(r.after(100),
              (Events{"AA 7,3 local", "shown .AA7,3", "update notice", "log Update: -----------------", "shown .U"}));

    r.panel.powerCycle();
    EXPECT_EQ(r.after(r.b.sim.instrument.options().bootMs - 20), Events{});
    EXPECT_EQ(r.after(100), (Events{"power-up notice", "log Powerup: -----------------", "shown .P"}));
}

TEST(DotRemoteFlow, GainsSetAndQueried)
{
    RemoteBench r;
    EXPECT_EQ(qv::SetGain(r.receiver, 35, -45), qv::GainReply::Taken);
    std::vector<std::string> log;
    const int tenths = qv::QueryGain(r.receiver, 35, [&](const std::string& line) { log.push_back(line); });
    EXPECT_EQ(tenths, -45);
    EXPECT_EQ(qv::GainText(tenths), "-4,5");
    EXPECT_EQ(log, (std::vector<std::string>{".AG35,-45"}));
    EXPECT_FALSE(r.receiver.waiting());
    EXPECT_TRUE(r.recorder.events.empty()) << "replies in waiting mode are not parsed";

    // A refused value is an answer that says so; a silent instrument gives none.
    EXPECT_EQ(qv::SetGain(r.receiver, 35, 300), qv::GainReply::Refused);
    EXPECT_EQ(qv::QueryGain(r.receiver, 35, nullptr), -45) << "the refused value was not taken";
    r.b.sim.instrument.options().answersText = false;
    const size_t sent = r.b.sim.instrument.textLines().size();
    EXPECT_EQ(qv::SetGain(r.receiver, 35, 10), qv::GainReply::None);
    EXPECT_EQ(r.b.sim.instrument.textLines().size(), sent + qv::kSetGainSends);
    EXPECT_EQ(qv::QueryGain(r.receiver, 35, nullptr), 0);
}

} // namespace
