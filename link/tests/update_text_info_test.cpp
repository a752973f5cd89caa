#include "link/update_text_info.h"

#include <gtest/gtest.h>

TEST(UpdateTextInfo, VersionFromImageVersion)
{
    struct Case {
        int64_t value;
        bool ok;
        double version;
    } cases[] = {{0x0530, true, 5.30}, {0x0507, true, 5.07}, {0x1210, true, 12.10}, {0x05A0, false, 0}, {0, true, 0}};
    for (const auto& c : cases) {
        double v = -1;
        EXPECT_EQ(qv::VersionFromImageVersion(c.value, v), c.ok) << c.value;
        if (c.ok)
            EXPECT_DOUBLE_EQ(v, c.version) << c.value;
        else
            EXPECT_DOUBLE_EQ(v, -1) << "unchanged";
    }
}

TEST(UpdateTextInfo, AppliesIdentityReports)
{
    qv::UpdateIdentity id;
    qv::ApplyTextInformation(".AI1,12345.AI3,110.AI7,1328.AI10,34.AI17,0", id);
    EXPECT_EQ(id.serial, 12345);
    EXPECT_DOUBLE_EQ(id.softwareVersion, 5.30);
    EXPECT_EQ(id.dot.value(3), 110);
    EXPECT_EQ(id.dot.value(10), 34);
    EXPECT_TRUE(id.dot.has(17));
    EXPECT_FALSE(id.dot.has(2));
}

// An item number or value beyond int would wrap round to another item or
// serial number.
TEST(UpdateTextInfo, NumbersBeyondTheIntRangeAreIgnored)
{
    struct Case {
        const char* text;
        bool serialTaken;
    } cases[] = {
        {".AI1,5", true},
        {".AI4294967297,5", false},
        {".AI-4294967295,5", false},
        {".AI1,4294967301", false},
    };
    for (const auto& c : cases) {
        qv::UpdateIdentity id;
        id.serial = 4711;
        qv::ApplyTextInformation(c.text, id);
        EXPECT_EQ(id.serial, c.serialTaken ? 5 : 4711) << c.text;
        EXPECT_EQ(id.dot.has(1), c.serialTaken) << c.text;
    }
}

TEST(UpdateTextInfo, SerialFromTheIoInterfaceWins)
{
    qv::UpdateIdentity id;
    id.ioInterfacePresent = true;
    id.serial = 4711;
    qv::ApplyTextInformation(".AI1,12345", id);
    EXPECT_EQ(id.serial, 4711);
}

TEST(UpdateTextInfo, StopsAtAMalformedReportAndDropsShortGarbage)
{
    qv::UpdateIdentity id;
    qv::ApplyTextInformation(".AI3,7.AIx,5.AI4,9", id);
    EXPECT_EQ(id.dot.value(3), 7);
    EXPECT_FALSE(id.dot.has(4));

    qv::UpdateIdentity other;
    qv::ApplyTextInformation("zz.AI3,7.AI4", other);
    EXPECT_EQ(other.dot.value(3), 7);
}
