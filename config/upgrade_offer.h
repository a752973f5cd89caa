#pragma once

#include "config_image.h"
#include "platform/host/prompter.h"

#include <cstdint>

namespace qv {

inline constexpr char kUpgradeQuestionText[] =
    "The preset does not appear to be compatable with the software version in the RVT.\rIt is STRONGLY "
    "recommended to upgrade the preset. \r\rDo you wish to upgrade the preset.";

// An image older than the layout the instrument's software expects: below
// 5.00 for software 5.00 and later, below 5.10 for 5.10 and later. The
// instrument's version is in the 0xMMmm form; 0 when it is not known.
bool UpgradeRecommended(uint32_t instrumentVersion, uint16_t imageVersion);

// Brings the image to the layout of the instrument's software: the 5.00
// step, then the 5.10 step for software 5.10 and later. An image that has
// the 5.00 layout already skips that step: running it again would reset the
// gains, groups, Leq(m) options, start-up settings and lock code it holds.
void UpgradeForInstrument(ConfigImage& image, uint32_t instrumentVersion);

// Asks whether to upgrade an image that lags behind the instrument (the
// question's default is Yes) and upgrades it on Yes.
void OfferUpgrade(ConfigImage& image, uint32_t instrumentVersion, Prompter& prompter);

} // namespace qv
