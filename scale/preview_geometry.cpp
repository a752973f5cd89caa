#include "scale/preview_geometry.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

constexpr double kUnit = 32768.0;
constexpr double kSegmentHeight = 133.0;
constexpr double kMiddleOffset = 67.0;
constexpr double kScaleHeight = 400.0;

// Split points of the three-segment laws: 10 and 30 dB below full scale,
// and about 1 and 3 dB below it on the 6 dB scale.
constexpr uint16_t kSplit60DbHigh = 10362;
constexpr uint16_t kSplit60DbLow = 1036;
constexpr uint16_t kSplit6DbHigh = 29203;
constexpr uint16_t kSplit6DbLow = 23197;

constexpr int kHintLeft = 92;
constexpr int kHintRight = 100; // exclusive
constexpr int kHintTop = 30;    // exclusive
constexpr int kHintBottom = 432; // exclusive

bool IsPureLog(uint16_t law)
{
    return law == kLaw60Db || law == kLaw6Db || law == kLawUltraVu;
}

int ToPixel(double y)
{
    if (std::isnan(y))
        return kPreviewLimit;
    return int(std::nearbyint(std::clamp(y, double(-kPreviewLimit), double(kPreviewLimit))));
}

int ThreeSegmentY(const ScaleTable& t, uint16_t a, uint16_t high, uint16_t low)
{
    const auto L = [&](uint16_t x) { return double(DisplayLevel(t[kWordLaw], t[kWordLawA], t[kWordLawB], x)); };
    const double top = L(t[kWordHighest]);
    if (a > high)
        return ToPixel((top - L(a)) * (kSegmentHeight / (top - L(high))) + kPreviewTop);
    if (a > low)
        return ToPixel((top - L(a)) * (kSegmentHeight / (L(high) - L(low))) + kPreviewTop + kMiddleOffset);
    return ToPixel((top - L(a)) * (kSegmentHeight / (L(low) - L(t[kWordLowest]))) + kPreviewTop + kSegmentHeight);
}

} // namespace

int64_t DisplayLevel(uint16_t law, uint16_t paramA, uint16_t paramB, uint16_t a)
{
    if (law == kLawVu)
        return a;
    if (IsPureLog(law))
        return int64_t(std::nearbyint(kUnit * std::log10(std::max<uint16_t>(a, 1) / kUnit)));
    if (a == 0)
        return 0;
    return int64_t(std::nearbyint(kUnit * (std::log10((a + paramB) / kUnit) + (a / kUnit) * (paramA / kUnit))));
}

int PreviewY(const ScaleTable& t, uint16_t a)
{
    const uint16_t law = t[kWordLaw];
    if (law == kLaw60Db || law == kLawUltraVu)
        return ThreeSegmentY(t, a, kSplit60DbHigh, kSplit60DbLow);
    if (law == kLaw6Db)
        return ThreeSegmentY(t, a, kSplit6DbHigh, kSplit6DbLow);

    const double top = double(DisplayLevel(law, t[kWordLawA], t[kWordLawB], t[kWordHighest]));
    const double bottom = double(DisplayLevel(law, t[kWordLawA], t[kWordLawB], t[kWordLowest]));
    if (top == bottom)
        return 0;
    const double level = double(DisplayLevel(law, t[kWordLawA], t[kWordLawB], a));
    return ToPixel((top - level) * (kScaleHeight / (top - bottom)) + kPreviewTop);
}

std::optional<std::string_view> PreviewHint(int x, int y, const PreviewMarkers& markers)
{
    if (x < kHintLeft || x >= kHintRight || y <= kHintTop || y >= kHintBottom)
        return std::nullopt;
    if (markers.overloadY && y < *markers.overloadY)
        return "Overload";
    if (markers.underloadY && y >= *markers.underloadY)
        return "Underload";
    return std::nullopt;
}

} // namespace qv
