#include "link/rvt_type_choice.h"

#include "platform/host/scripted_prompter.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(RvtTypeChoice, OkAsksAndClosesOnlyOnYes)
{
    struct Case {
        Program program;
        int index;
        Answer answer;
        const char* question;
        bool close;
        std::optional<int> code;
    };
    const Case cases[] = {
        {Program::Matrix, 6, Answer::No, "Are you sure that your RVT is a RX4366K-W?", false, std::nullopt},
        {Program::Matrix, 6, Answer::Yes, "Are you sure that your RVT is a RX4366K-W?", true, 4},
        {Program::Matrix, 2, Answer::Yes, "Are you sure that your RVT is a RVT470D?", true, 3},
        {Program::Update, 21, Answer::Yes, "Are you sure that your instrument is a 480 Series?", true, 24},
        {Program::Update, 18, Answer::No, "Are you sure that your instrument is a RX4412K?", false, std::nullopt},
        // Nothing selected: Yes closes without choosing a type.
        {Program::Matrix, -1, Answer::Yes, "Are you sure that your RVT is a ?", true, std::nullopt},
        // QV-Matrix's list ends before the QV-Update-only entries.
        {Program::Matrix, 17, Answer::Yes, "Are you sure that your RVT is a ?", true, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question);
        ScriptedPrompter prompter;
        prompter.queueAnswer(c.answer);
        auto outcome = RvtTypeChoice(c.program).confirm(c.index, prompter);
        ASSERT_EQ(prompter.shown().size(), 1u);
        const auto& shown = prompter.shown().front();
        EXPECT_EQ(shown.kind, MessageKind::Confirmation);
        EXPECT_EQ(shown.buttons, unsigned(ButtonYesNo));
        EXPECT_EQ(shown.text, c.question);
        EXPECT_EQ(outcome.close, c.close);
        EXPECT_EQ(outcome.code, c.code);
    }
}

} // namespace
} // namespace qv
