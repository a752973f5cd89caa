#include "upgrade_offer.h"

#include "image_layout.h"

namespace qv {

bool UpgradeRecommended(uint32_t instrumentVersion, uint16_t imageVersion)
{
    return (instrumentVersion >= kVersion500 && imageVersion < kVersion500) ||
           (instrumentVersion >= kVersion510 && imageVersion < kVersion510);
}

void UpgradeForInstrument(ConfigImage& image, uint32_t instrumentVersion)
{
    if (image.imageVersion() < kVersion500)
        image.upgradeTo500();
    if (instrumentVersion >= kVersion510)
        image.upgradeTo510();
}

void OfferUpgrade(ConfigImage& image, uint32_t instrumentVersion, Prompter& prompter)
{
    if (UpgradeRecommended(instrumentVersion, image.imageVersion()) &&
        prompter.message(MessageKind::Warning, kUpgradeQuestionText, ButtonYesNo, Answer::Yes,
                         HelpTopic::PresetUpgrade) == Answer::Yes)
        UpgradeForInstrument(image, instrumentVersion);
}

} // namespace qv
