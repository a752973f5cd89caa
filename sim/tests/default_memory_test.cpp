#include "sim/default_memory.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace qv::sim::test {
namespace {

const std::string kMarker = "OSTFAWERV RE";

// The host's scan: a mismatch restarts the marker without testing the byte
// again. Returns the version text after the marker, or "" when not found.
std::string hostVersionSearch(const Bytes& area)
{
    size_t k = 0;
    for (size_t i = 0; i < area.size(); ++i) {
        k = area[i] == uint8_t(kMarker[k]) ? k + 1 : 0;
        if (k == kMarker.size()) {
            std::string text;
            for (size_t p = i + 1; p + 1 < area.size() && p < i + 13; p += 2) {
                for (char c : {char(area[p + 1]), char(area[p])}) {
                    if ((c >= '0' && c <= '9') || c == '.' || c == ',')
                        text += c;
                }
            }
            return text;
        }
    }
    return "";
}

size_t markerCount(const Bytes& area)
{
    size_t count = 0;
    for (auto it = area.begin(); (it = std::search(it, area.end(), kMarker.begin(), kMarker.end())) != area.end(); ++it)
        ++count;
    return count;
}

struct VersionCase {
    uint16_t version;
    const char* text;
};

TEST(DefaultMemory, VersionMarkerIsStoredPairReversedAndFoundByTheHostScan)
{
    const VersionCase cases[] = {{0x0530, "5.30"}, {0x0412, "4.12"}, {0x1005, "10.05"}};
    for (const auto& c : cases) {
        InstrumentOptions options;
        options.softwareVersion = c.version;
        const Instrument instrument(options);
        const Bytes area = instrument.peek(kVersionArea, kVersionAreaSize);
        EXPECT_EQ(markerCount(area), 1u) << c.text;
        EXPECT_EQ(hostVersionSearch(area), c.text);
    }
    const Instrument instrument{InstrumentOptions{}};
    EXPECT_EQ(instrument.peek(kVersionMarkerAt, 24), textBytes("OSTFAWERV REISNO5 3. 0  "));
}

struct IdentityCase {
    char revision;
    uint16_t serial;
    uint32_t address;
    Bytes bytes;
};

TEST(DefaultMemory, RevisionAndSerialWhereTheHostLooks)
{
    const IdentityCase cases[] = {
        {'1', 12345, 0x1F80, {0x30, 0x39}},
        {'2', 0x0102, 0x1F80, {0x01, 0x02}},
        {'1', 0xFFFF, 0x1F80, {0xFF, 0xFF}},
        // Older revisions: one program reads bytes 0-1, the other bytes 2-3.
        {'0', 12345, 0x1C000, {0x30, 0x39, 0x30, 0x39}},
        {'0', 0xFFFF, 0x1C000, {0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const auto& c : cases) {
        InstrumentOptions options;
        options.revision = c.revision;
        options.serial = c.serial;
        const Instrument instrument(options);
        EXPECT_EQ(instrument.peek(0x1C100 + 19), uint8_t(c.revision));
        EXPECT_EQ(instrument.peek(c.address, c.bytes.size()), c.bytes) << c.revision << " " << c.serial;
    }
}

TEST(DefaultMemory, ProgramMemoryIsRepeatableAndFollowsTheSoftware)
{
    InstrumentOptions options;
    const Bytes first = Instrument(options).peek(0, 0x8000);
    EXPECT_EQ(Instrument(options).peek(0, 0x8000), first);
    options.softwareVersion = 0x0412;
    EXPECT_NE(Instrument(options).peek(0, 0x8000), first);
    // Looks like data, not a fill.
    EXPECT_GT(std::set<uint8_t>(first.begin(), first.end()).size(), 200u);
}

} // namespace
} // namespace qv::sim::test
