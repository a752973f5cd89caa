#pragma once

#include "scale/scale_table.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace qv {

inline constexpr int kPreviewWidth = 112;
inline constexpr int kPreviewHeight = 465;
inline constexpr int kPreviewTop = 30;     // where the highest line (W6) lands
inline constexpr int kPreviewBottom = 430; // where the lowest line (W5) lands on one-segment laws

// Where the preview draws the parts of a scale.
inline constexpr int kLineLeft = 35;
inline constexpr int kLineRight = 89;
inline constexpr int kMarkerX = 95;
inline constexpr int kLabelRight = 32;
inline constexpr int kLabelRise = 6;

// Scale law codes (W2) with a pure logarithmic display law.
inline constexpr uint16_t kLawVu = 0x0603;
inline constexpr uint16_t kLaw60Db = 0x0604;
inline constexpr uint16_t kLaw6Db = 0x0605;
inline constexpr uint16_t kLawUltraVu = 0x0608;

// The display law: amplitude a (0..65535) in logarithmic units, for the
// law code and parameters of a table. On the pure logarithmic laws an
// amplitude of 0, which has no logarithm, counts as 1: the lowest level a
// table can hold, so such a line sits at the bottom of the scale.
int64_t DisplayLevel(uint16_t law, uint16_t paramA, uint16_t paramB, uint16_t a);

// Vertical preview position of amplitude a for table (pixels from the top).
// Values beyond ±kPreviewLimit are clamped so that degenerate tables draw
// off the panel instead of overflowing.
inline constexpr int kPreviewLimit = 1 << 16;
int PreviewY(const ScaleTable& table, uint16_t a);

// Marker positions of the most recent drawing; none until drawn.
struct PreviewMarkers {
    std::optional<int> overloadY;
    std::optional<int> underloadY;
};

// The hint of the marker column at (x, y): "Overload" above the overload
// marker, "Underload" at or below the underload marker; nothing (hints
// off) anywhere else.
std::optional<std::string_view> PreviewHint(int x, int y, const PreviewMarkers& markers);

} // namespace qv
