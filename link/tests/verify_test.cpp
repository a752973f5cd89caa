// Agreeing readings and the check of written blocks, with scripted readings.
#include "link/verify.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace {

using Block = std::vector<uint8_t>;

Block Varied(uint8_t seed)
{
    Block b(128);
    for (size_t i = 0; i < b.size(); ++i)
        b[i] = uint8_t(i * 3 + seed);
    return b;
}

const Block kRight = Varied(1);
const Block kElsewhere = Varied(50);
const Block kBlank(128, 0xFF);

// Hands out the readings queued; an empty optional is a failed reading.
struct Readings {
    std::deque<std::optional<Block>> queue;
    int taken = 0;
    bool read(uint8_t* block)
    {
        ++taken;
        if (queue.empty() || !queue.front()) {
            if (!queue.empty())
                queue.pop_front();
            return false;
        }
        std::copy(queue.front()->begin(), queue.front()->end(), block);
        queue.pop_front();
        return true;
    }
};

TEST(AgreeingReads, ReadsUntilEnoughReadingsInARowAgree)
{
    struct Case {
        const char* name;
        bool faulted;
        std::vector<std::optional<Block>> readings;
        bool ok;
        Block result;
        int taken;
        int most = 8; // readings allowed
    };
    const Case cases[] = {
        {"quiet, varied: two", false, {kRight, kRight}, true, kRight, 2},
        {"quiet, blank: three", false, {kBlank, kBlank, kBlank}, true, kBlank, 3},
        {"faulted line: three", true, {kRight, kRight, kRight}, true, kRight, 3},
        // Two readings from the wrong place agreeing on blank memory are not enough.
        {"blank from elsewhere", false, {kBlank, kBlank, kRight, kRight, kRight}, true, kRight, 5},
        {"one wrong reading", false, {kElsewhere, kRight, kRight, kRight}, true, kRight, 4},
        {"a reading fails", false, {kRight, std::nullopt}, false, kRight, 2},
        {"never agreeing", false, {kRight, kElsewhere, kRight, kElsewhere, kRight}, false, kRight, 4, 4},
    };
    for (const Case& c : cases) {
        Readings r{{c.readings.begin(), c.readings.end()}};
        bool faulted = c.faulted;
        qv::AgreeingReads reads([&](uint32_t, uint8_t* b) { return r.read(b); }, c.most, faulted);
        Block block(128);
        EXPECT_EQ(reads.Read(0x1C000, block.data()), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(block, c.result) << c.name;
        }
        EXPECT_EQ(r.taken, c.taken) << c.name;
    }
}

TEST(AgreeingReads, DisagreeingReadingsMarkTheLineFaulted)
{
    Readings r{{kElsewhere, kRight, kRight, kRight, kRight, kRight, kRight}};
    bool faulted = false;
    qv::AgreeingReads reads([&](uint32_t, uint8_t* b) { return r.read(b); }, 0, faulted);
    Block block(128);
    ASSERT_TRUE(reads.Read(0x1C000, block.data()));
    EXPECT_TRUE(faulted);
    // The next block needs three as well.
    r.taken = 0;
    ASSERT_TRUE(reads.Read(0x1C080, block.data()));
    EXPECT_EQ(r.taken, 3) << "the line has shown a fault";
}

TEST(AgreeingReads, HoldsTrustsOneMatchingReadingOnlyOfVariedBytesOnAQuietLine)
{
    struct Case {
        const char* name;
        bool faulted;
        Block expected;
        std::vector<std::optional<Block>> readings;
        std::optional<bool> holds;
        int taken;
    };
    const Case cases[] = {
        {"quiet, varied, same", false, kRight, {kRight}, true, 1},
        {"quiet, varied, differs", false, kRight, {kElsewhere, kElsewhere}, false, 2},
        {"quiet, blank, same", false, kBlank, {kBlank, kBlank, kBlank}, true, 3},
        // The write went elsewhere; a reading from blank memory looked right once.
        {"blank from elsewhere", false, kBlank, {kBlank, kRight, kRight, kRight}, false, 4},
        {"faulted, varied, same", true, kRight, {kRight, kRight, kRight}, true, 3},
        {"unreadable", false, kRight, {std::nullopt}, std::nullopt, 1},
    };
    for (const Case& c : cases) {
        Readings r{{c.readings.begin(), c.readings.end()}};
        bool faulted = c.faulted;
        qv::AgreeingReads reads([&](uint32_t, uint8_t* b) { return r.read(b); }, 8, faulted);
        EXPECT_EQ(reads.Holds(0x1C000, c.expected.data()), c.holds) << c.name;
        EXPECT_EQ(r.taken, c.taken) << c.name;
    }
}

TEST(CheckWrittenBlocks, RewritesWhatDiffersAndChecksEverythingAgain)
{
    // Block 1 did not take; rewriting it disturbs block 0, which the next
    // sweep finds; the third sweep finds all right.
    std::vector<std::vector<bool>> sweeps = {{true, false, true}, {false, true, true}, {true, true, true}};
    size_t sweep = 0;
    std::vector<size_t> written;
    std::vector<size_t> checked;
    size_t seen = 0;
    const bool right = qv::CheckWrittenBlocks({
        3,
        0,
        [&](size_t k) -> std::optional<bool> {
            const bool held = sweeps[sweep][k];
            if (++seen % 3 == 0)
                ++sweep;
            return held;
        },
        [&](size_t k) {
            written.push_back(k);
            return true;
        },
        [&](size_t k) { checked.push_back(k); },
    });
    EXPECT_TRUE(right);
    EXPECT_EQ(written, (std::vector<size_t>{1, 0}));
    EXPECT_EQ(checked, (std::vector<size_t>{0, 1, 2})) << "progress follows the first sweep only";
}

TEST(CheckWrittenBlocks, FailsWhenABlockCannotBeReadOrWrittenOrNeverHolds)
{
    auto check = [](std::optional<bool> held, bool writes, int sweeps) {
        return qv::CheckWrittenBlocks({2, sweeps, [&](size_t) { return held; }, [&](size_t) { return writes; }});
    };
    EXPECT_FALSE(check(std::nullopt, true, 0)) << "unreadable";
    EXPECT_FALSE(check(false, false, 0)) << "the rewrite fails";
    EXPECT_FALSE(check(false, true, 3)) << "the sweeps run out";
    EXPECT_TRUE(check(true, false, 1));
}

} // namespace
