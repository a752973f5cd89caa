#include "config/label_text.h"
#include "platform/host/scripted_prompter.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(LabelText, PrintableAsciiWithoutTheApostrophe)
{
    struct Case {
        unsigned char c;
        bool legal;
    };
    const Case cases[] = {{0x00, false}, {0x1F, false}, {0x20, true},  {0x26, true},  {0x27, false},
                          {0x28, true},  {0x41, true},  {0x7E, true},  {0x7F, false}, {0x80, false},
                          {0xC4, false}, {0xFF, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.c));
        EXPECT_EQ(IsLegalTextCharacter(char(c.c)), c.legal);
        EXPECT_EQ(IsLegalText(std::string("AB") + char(c.c)), c.legal);
    }
    EXPECT_TRUE(IsLegalText(""));
}

TEST(LabelText, CheckShowsTheMessageOnlyForIllegalText)
{
    ScriptedPrompter prompter;
    EXPECT_TRUE(CheckText("Mix 1", prompter));
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_FALSE(CheckText("Bob's", prompter));
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].kind, MessageKind::Error);
    EXPECT_EQ(prompter.shown()[0].text, "The text contains one or more illegal characters.");

    EXPECT_EQ(FitText("ABC", 10), "ABC       ");
    EXPECT_EQ(FitText("ABCDEF", 4), "ABCD");
}

} // namespace
} // namespace qv
