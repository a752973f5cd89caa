#include "config/upgrade_offer.h"

#include "platform/host/scripted_prompter.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

ConfigImage ImageAt(uint16_t version)
{
    ConfigImage::Bytes bytes;
    for (size_t k = 0; k < bytes.size(); ++k)
        bytes[k] = uint8_t(k * 5 + 1);
    IdentityTrailer trailer;
    trailer.version = version;
    trailer.checksum = 0xCAFEF00D;
    ConfigImage image;
    image.replace(bytes, trailer);
    return image;
}

TEST(UpgradeOffer, AskedOnlyForAnImageBehindTheInstrument)
{
    struct Case {
        uint32_t instrument;
        uint16_t image;
        bool asked;
        uint16_t afterYes;
    } cases[] = {
        {0x0530, 0x0480, true, 0x0510}, {0x0530, 0x0500, true, 0x0510}, {0x0510, 0x0500, true, 0x0510},
        {0x0500, 0x0412, true, 0x0500}, {0x0500, 0x0000, true, 0x0500}, {0x0530, 0x0510, false, 0x0510},
        {0x0500, 0x0500, false, 0x0500}, {0x0499, 0x0000, false, 0x0000}, {0, 0x0412, false, 0x0412},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.instrument << " / " << c.image);
        EXPECT_EQ(UpgradeRecommended(c.instrument, c.image), c.asked);
        for (Answer answer : {Answer::Yes, Answer::No}) {
            ConfigImage image = ImageAt(c.image);
            const auto before = image.bytes();
            ScriptedPrompter prompter;
            prompter.queueAnswer(answer);
            OfferUpgrade(image, c.instrument, prompter);
            ASSERT_EQ(prompter.shown().size(), c.asked ? 1u : 0u);
            if (c.asked) {
                const auto& question = prompter.shown()[0];
                EXPECT_EQ(question.kind, MessageKind::Warning);
                EXPECT_EQ(question.text, "The preset does not appear to be compatable with the software version in "
                                         "the RVT.\rIt is STRONGLY recommended to upgrade the preset. \r\rDo you "
                                         "wish to upgrade the preset.");
                EXPECT_EQ(question.buttons, unsigned(ButtonYesNo));
                EXPECT_EQ(question.defaultAnswer, Answer::Yes);
                EXPECT_EQ(question.helpTopic, HelpTopic::PresetUpgrade);
            }
            if (c.asked && answer == Answer::Yes) {
                EXPECT_EQ(image.imageVersion(), c.afterYes);
                EXPECT_EQ(image.trailer().checksum, 0u) << "an upgraded image has no checksum yet";
            } else {
                EXPECT_EQ(image.bytes(), before) << "nothing upgraded";
                EXPECT_EQ(image.imageVersion(), c.image);
            }
        }
    }
}

TEST(UpgradeOffer, AnImageWithThe500LayoutKeepsWhatItHolds)
{
    // Gains, groups and the lock code live where the 5.00 step would clear them.
    ConfigImage image = ImageAt(0x0500);
    const int gain = ExtensionBlock(3) + 0x5C;
    image.setWord(gain, 0x0064);
    image.setWord(LockCodeAdr, 0x0037);
    UpgradeForInstrument(image, 0x0530);
    EXPECT_EQ(image.imageVersion(), 0x0510);
    EXPECT_EQ(image.word(gain), 0x0064);
    EXPECT_EQ(image.word(LockCodeAdr), 0x0037);

    ConfigImage old = ImageAt(0x0412);
    old.setWord(gain, 0x0064);
    UpgradeForInstrument(old, 0x0530);
    EXPECT_EQ(old.imageVersion(), 0x0510);
    EXPECT_EQ(old.word(gain), 0) << "a 4.x image gets the 5.00 layout first";
}

} // namespace
} // namespace qv
