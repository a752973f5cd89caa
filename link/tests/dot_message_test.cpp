#include "link/dot_message.h"

#include <gtest/gtest.h>

using qv::DotMessage;
using qv::DotScanStatus;
using qv::ScanDotMessage;

TEST(DotMessage, ReportsAreTakenInOrderWithTheirTrailingCharacter)
{
    std::string text = ".AA1,3*.AA2,4*";
    auto first = ScanDotMessage(text);
    ASSERT_EQ(first.status, DotScanStatus::Message);
    EXPECT_EQ(first.message.messageClass, 'A');
    EXPECT_EQ(first.message.object, 'A');
    EXPECT_EQ(first.message.first, 1);
    EXPECT_EQ(first.message.second, 3);
    EXPECT_EQ(first.message.text, ".AA1,3");
    EXPECT_FALSE(first.message.invalidBefore);
    EXPECT_EQ(text, ".AA2,4*");

    auto second = ScanDotMessage(text);
    ASSERT_EQ(second.status, DotScanStatus::Message);
    EXPECT_EQ(second.message.first, 2);
    EXPECT_EQ(second.message.second, 4);
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(ScanDotMessage(text).status, DotScanStatus::None);
}

TEST(DotMessage, Cases)
{
    struct Case {
        std::string text;
        DotScanStatus status;
        char messageClass;
        int64_t first;
        int64_t second;
        bool invalid;
        char trailing;
        std::string rest;
    } cases[] = {
        {"xyz", DotScanStatus::None, 0, 0, 0, false, 0, "xyz"},
        {"xy.AA1,2", DotScanStatus::Message, 'A', 1, 2, true, 0, ""},
        {".FA7,3", DotScanStatus::Message, 'F', 7, 3, false, 0, ""},
        {".AG3,-35\r", DotScanStatus::Message, 'A', 3, -35, false, '\r', ""},
        {".AIx,1", DotScanStatus::Malformed, 0, 0, 0, false, 0, ".AIx,1"},
        {".AA1-2,3", DotScanStatus::Malformed, 0, 0, 0, false, 0, ".AA1-2,3"},
        {".AA99999999999999999999,1", DotScanStatus::Malformed, 0, 0, 0, false, 0, ".AA99999999999999999999,1"},
        {".AA12", DotScanStatus::Malformed, 0, 0, 0, false, 0, ".AA12"},
        {".NA1,2*rest", DotScanStatus::Message, 'N', 1, 2, false, '*', "rest"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        auto scan = ScanDotMessage(text);
        EXPECT_EQ(scan.status, c.status) << c.text;
        if (c.status == DotScanStatus::Message) {
            EXPECT_EQ(scan.message.messageClass, c.messageClass) << c.text;
            EXPECT_EQ(scan.message.first, c.first) << c.text;
            EXPECT_EQ(scan.message.second, c.second) << c.text;
            EXPECT_EQ(scan.message.invalidBefore, c.invalid) << c.text;
            EXPECT_EQ(scan.message.trailing, c.trailing) << c.text;
        }
        EXPECT_EQ(text, c.rest) << c.text;
    }
}

TEST(DotMessage, NoticesDiscardTheRest)
{
    for (auto [text, kind] : {std::pair{std::string("..U something AA1,2"), DotMessage::Kind::UpdateNotice},
                              std::pair{std::string("P"), DotMessage::Kind::PowerUpNotice}}) {
        auto scan = ScanDotMessage(text);
        ASSERT_EQ(scan.status, DotScanStatus::Message);
        EXPECT_EQ(scan.message.kind, kind);
        EXPECT_TRUE(text.empty());
    }
}
