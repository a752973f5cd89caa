#include "matrix/label_rename.h"
#include "matrix/tests/channel_names.h"
#include "matrix/tests/grid_test_image.h"
#include "platform/host/scripted_prompter.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(LabelRename, TargetsAndCaptions)
{
    LabelSelection s;
    s.set(Out(2), true);
    s.set(In(9), true);
    s.set(In(3), true);
    EXPECT_EQ(RenameTargets(s), (std::vector<Channel>{In(3), In(9), Out(2)}));
    EXPECT_EQ(ChannelCaption(In(9)), "Input #9");
    EXPECT_EQ(ChannelCaption(Out(96)), "Output #96");
    EXPECT_EQ(RenameGroupCaption(In(1), false), "Input Name");
    EXPECT_EQ(RenameGroupCaption(Out(1), false), "Output Name");
    EXPECT_EQ(RenameGroupCaption(Out(1), true), "Advanced Rename.");
}

TEST(LabelRename, SharedPpmLabelIsStoredOnceAndPadded)
{
    ConfigImage image = test::GridTestImage(0x0530);
    LabelSelection s;
    s.ctrlClick(In(60)); // selects output 68 as well
    const auto writes = PlanRename(image, RenameTargets(s), {"VO"});
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].text, "VO  ");
    EXPECT_EQ(writes[0].oldLabel, "I60 ");

    EXPECT_EQ(ApplyRename(image, writes), std::vector<Channel>{In(60)});
    EXPECT_EQ(image.inputLabel(0, 60), "VO  ");
    EXPECT_EQ(image.outputLabel(68), "VO  ");
    EXPECT_TRUE(image.modified());
}

TEST(LabelRename, AdvancedRenameSkipsOnlyThePartnerOfARenamedPpmInput)
{
    ConfigImage image = test::GridTestImage(0x0530, 5);
    const std::vector<Channel> targets{In(40), In(60), Out(68), Out(70)};
    const auto writes = PlanRename(image, targets, {"A", "BBBB", "CCCC", "DDDDDD"});
    ASSERT_EQ(writes.size(), 4u);
    EXPECT_EQ(ApplyRename(image, writes), (std::vector<Channel>{In(40), In(60), Out(70)}));
    EXPECT_EQ(image.inputLabel(5, 40), "A   ");
    EXPECT_EQ(image.inputLabel(0, 40), std::string(4, '\0')) << "inputs 33-56 belong to the selected preset";
    EXPECT_EQ(image.outputLabel(68), "BBBB");
    EXPECT_EQ(image.outputLabel(70), "DDDD") << "output 70's own text is kept, cut to 4";
    EXPECT_EQ(image.inputLabel(5, 62), "DDDD");

    EXPECT_TRUE(PlanRename(image, targets, {"A", "B"}).empty()) << "texts must match the rows";
}

TEST(LabelRename, IllegalCharactersAreReported)
{
    ScriptedPrompter prompter;
    EXPECT_TRUE(CheckRenameTexts({"AB&", "~ z"}, prompter));
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_FALSE(CheckRenameTexts({"OK", "it's", "\x7f"}, prompter));
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].kind, MessageKind::Error);
    EXPECT_EQ(prompter.shown()[0].text, "The text contains one or more illegal characters.");
}

TEST(LabelRename, LiveRenameWritesEachLabelFirstAndKeepsFailuresOutOfTheImage)
{
    ConfigImage image = test::GridTestImage(0x0530, 1);
    struct Call {
        uint32_t address;
        std::string text, wait;
    };
    std::vector<Call> calls;
    std::vector<int> pauses;
    std::vector<std::string> sent;
    LiveRename live;
    live.writeLabel = [&](uint32_t a, const std::string& t, const std::string& w) {
        calls.push_back({a, t, w});
        return a != 0x1C000 + OutputLabelBaseAdr + 4 * 4; // output 5 fails
    };
    live.pause = [&](int ms) { pauses.push_back(ms); };
    live.send = [&](const std::string& s) { sent.push_back(s); };

    const std::vector<Channel> targets{In(2), In(34), In(57), Out(5), Out(65)};
    const auto stored = ApplyRename(image, PlanRename(image, targets, {"NEW"}), &live);

    EXPECT_EQ(stored, (std::vector<Channel>{In(2), In(34), In(57)}));
    ASSERT_EQ(calls.size(), 4u) << "output 65 shares input 57's label";
    EXPECT_EQ(calls[0].address, 0x1D004u);
    EXPECT_EQ(calls[1].address, 0x1C000u + LabelBlock(1) + 4);
    EXPECT_EQ(calls[2].address, 0x1CF00u);
    EXPECT_EQ(calls[0].text, "NEW ");
    EXPECT_EQ(calls[0].wait, "Modifying Input Label #2 - I2  ");
    EXPECT_EQ(calls[3].wait, "Modifying Output Label #5 - O5  ");
    EXPECT_EQ(pauses, std::vector<int>(4, 250));
    EXPECT_EQ(sent, std::vector<std::string>{"\r.SP15,22\r"});
    EXPECT_EQ(image.inputLabel(1, 2), "NEW ");
    EXPECT_EQ(image.outputLabel(5), "O5  ") << "a failed write leaves the label";
}

} // namespace
} // namespace qv
