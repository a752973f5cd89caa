#include "sim/line_noise.h"
#include "sim/simulated_wire.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>


namespace qv::sim::test {
namespace {

std::vector<LineNoiseModel::Effect> Apply(LineNoise noise, size_t n)
{
    LineNoiseModel model(noise);
    std::vector<LineNoiseModel::Effect> effects;
    for (size_t i = 0; i < n; ++i)
        effects.push_back(model.apply(uint8_t(i)));
    return effects;
}

TEST(LineNoise, ASeedRepeatsItsFaultsAndNoChanceLeavesBytesAlone)
{
    const LineNoise noisy = LineNoise::Evenly(0.05, 7);
    EXPECT_EQ(Apply(noisy, 5000), Apply(noisy, 5000));
    EXPECT_NE(Apply(noisy, 5000), Apply(LineNoise::Evenly(0.05, 8), 5000));

    for (const auto& e : Apply(LineNoise{}, 1000))
        EXPECT_TRUE(!e.lost && e.delayBytes == 0);
}

TEST(LineNoise, EachKindTakesItsShare)
{
    constexpr size_t kBytes = 300'000;
    LineNoise noise = LineNoise::Evenly(0.01, 3);
    noise.maxDelayBytes = 3;
    LineNoiseModel model(noise);
    uint64_t changed = 0;
    for (size_t i = 0; i < kBytes; ++i) {
        const uint8_t byte = uint8_t(i * 13);
        const auto e = model.apply(byte);
        ASSERT_LE(e.delayBytes, 3);
        changed += !e.lost && e.byte != byte;
    }
    EXPECT_EQ(changed, model.counts().corrupted) << "a corrupted byte always differs";
    // A third of 1 % each, within a few standard deviations.
    for (uint64_t count : {model.counts().corrupted, model.counts().lost, model.counts().delayed})
        EXPECT_NEAR(double(count), kBytes * 0.01 / 3, 150.0);
}

// The wake-up on a line with one kind of fault in one direction, every byte.
TEST(LineNoise, TheWireAppliesItInTheDirectionAsked)
{
    struct Case {
        const char* name;
        LineNoise toInstrument;
        LineNoise toHost;
        bool listening;      // the instrument took the wake-up
        int replies;         // bytes at the host
        bool acknowledged;   // the reply is the acknowledgement
        int64_t byteTimesLate; // when the reply came, against a clean line
    };
    const LineNoise lose{0, 1, 0};
    const LineNoise corrupt{1, 0, 0};
    LineNoise delay{0, 0, 1};
    delay.maxDelayBytes = 1;
    const Case cases[] = {
        {"clean", {}, {}, true, 1, true, 0},
        {"lost on the way", lose, {}, false, 0, false, 0},
        {"corrupted on the way", corrupt, {}, false, 0, false, 0},
        {"late on the way", delay, {}, true, 1, true, 2},
        {"reply lost", {}, lose, true, 0, false, 0},
        {"reply corrupted", {}, corrupt, true, 1, false, 0},
        {"reply late", {}, delay, true, 1, true, 1},
    };
    for (const Case& c : cases) {
        VirtualClock clock;
        Instrument instrument;
        SimulatedWire wire(instrument, clock);
        wire.setLineNoise(c.toInstrument, c.toHost);
        const Bytes wakeUp{0xA6, 0x6D};
        wire.hostWrite(wakeUp.data(), wakeUp.size());
        // A clean reply has arrived after three byte times (9600 baud).
        const int64_t dueUs = ((3 + c.byteTimesLate) * 3125 + 2) / 3;
        clock.advanceUs(dueUs - clock.nowUs() - 1);
        if (c.replies > 0) {
            EXPECT_EQ(wire.hostAvailable(), 0) << c.name << ": early";
        }
        clock.advanceUs(1);
        Bytes got(size_t(wire.hostAvailable()));
        got.resize(size_t(wire.hostRead(got.data(), int(got.size()))));
        clock.advanceUs(20'000);
        EXPECT_EQ(wire.hostAvailable(), 0) << c.name;
        EXPECT_EQ(instrument.listening(), c.listening) << c.name;
        ASSERT_EQ(int(got.size()), c.replies) << c.name;
        if (c.replies > 0) {
            EXPECT_EQ(got[0] == 0x05, c.acknowledged) << c.name;
        }
    }
}

} // namespace
} // namespace qv::sim::test
