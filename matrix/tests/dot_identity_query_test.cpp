#include "link/tests/sim_fixture.h"
#include "matrix/dot_identity_query.h"

#include <gtest/gtest.h>

TEST(DotIdentityQuery, StoresTheItemsAndStaysInWaitingMode)
{
    MatrixSimBench b;
    ASSERT_TRUE(b.link.GetInstrumentId(false));
    ASSERT_TRUE(qv::QueryDotIdentity(b.channel, b.record));
    const qv::DotIdentity& dot = b.record.dot;
    EXPECT_TRUE(dot.received);
    EXPECT_TRUE(b.record.remoteCapable);
    EXPECT_EQ(dot.value(qv::DotIdentity::kSerial), 12345);
    EXPECT_EQ(dot.value(qv::DotIdentity::kSoftwareVersion), 0x0530);
    EXPECT_EQ(dot.value(qv::DotIdentity::kFirstInputModule), 0x22);
    EXPECT_EQ(dot.value(qv::DotIdentity::kFirstOutputModule + 1), 0x10);
    EXPECT_TRUE(dot.has(17));
    EXPECT_TRUE(b.channel.collectOnly) << "lines are collected until remote control connects";
    EXPECT_EQ(b.sim.instrument.textLines(), (std::vector<std::string>{".LI1,-", ".LI11,-", ".LI21,-"}));
}

TEST(DotIdentityQuery, SoftwareWithoutTextRepliesGivesNoIdentity)
{
    qv::sim::InstrumentOptions o;
    o.answersText = false;
    MatrixSimBench b(o);
    const int64_t start = b.sim.clock.nowMs();
    EXPECT_FALSE(qv::QueryDotIdentity(b.channel, b.record));
    EXPECT_FALSE(b.record.remoteCapable);
    EXPECT_FALSE(b.channel.collectOnly);
    EXPECT_EQ(b.sim.instrument.textLines().size(), 9u) << "three attempts of three queries";
    // Nine queries, each a 300 ms wait for a line and a 30 ms settle.
    EXPECT_LT(b.sim.clock.nowMs() - start, 3 * 3 * (300 + 30 + 10));
}

// An item number or value beyond int would wrap round to another item.
TEST(DotIdentityQuery, NumbersBeyondTheIntRangeAreIgnored)
{
    struct Case {
        const char* text;
        bool taken;
    } cases[] = {
        {".AI1,5", true},
        {".AI4294967297,5", false},
        {".AI-4294967295,5", false},
        {".AI1,4294967301", false},
    };
    for (const auto& c : cases) {
        qv::DotIdentity dot;
        qv::ApplyIdentityReports(c.text, dot);
        EXPECT_EQ(dot.has(qv::DotIdentity::kSerial), c.taken) << c.text;
        EXPECT_EQ(dot.value(qv::DotIdentity::kSerial), c.taken ? 5 : 0) << c.text;
    }
}

TEST(DotIdentityQuery, ReportsAfterNoiseAreApplied)
{
    qv::DotIdentity dot;
    qv::ApplyIdentityReports("xy.AI3,110.AI4,7.AI2,5.AIq,1.AI8,32", dot);
    EXPECT_EQ(dot.value(3), 110);
    EXPECT_EQ(dot.value(4), 7);
    EXPECT_FALSE(dot.has(2)) << "item 2 is not one of ours";
    EXPECT_FALSE(dot.has(8)) << "parsing stops at a malformed report";
}
