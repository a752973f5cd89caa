#include "matrix/dot_gain.h"

#include <gtest/gtest.h>

TEST(DotGain, ReplyToTenthsAndDisplay)
{
    struct {
        const char* reply;
        int tenths;
        const char* shown;
    } cases[] = {
        {".AG3,-35", -35, "-3,5"},
        {".AG3,120", 120, "12,0"},
        {".AG3,-5*", -5, "-0,5"},
        {".AG3,0", 0, "0,0"},
        {"xx,9.AG3,42", 42, "4,2"},
        {".AA3,42", 0, "0,0"},       // no "AG"
        {".AG3,-", 0, "0,0"},        // no number
        {".AG3,4-2", 0, "0,0"},      // not an integer
        {".AG3,99999999999", 0, "0,0"},
        {".AG3", 0, "0,0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qv::GainFromReply(c.reply), c.tenths) << c.reply;
        EXPECT_EQ(qv::GainText(qv::GainFromReply(c.reply)), c.shown) << c.reply;
    }
}
