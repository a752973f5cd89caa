#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace qv {

// The instrument's LCD: 640 x 480 pixels of 3 bits (bit 2 red, bit 1 green,
// bit 0 blue). Video memory holds 80 column groups of 8 pixels; a group
// keeps its rows one after the other, 3 bytes a row.
inline constexpr int kLcdWidth = 640;
inline constexpr int kLcdHeight = 480;
inline constexpr int kLcdGroupWidth = 8;
inline constexpr int kLcdGroups = kLcdWidth / kLcdGroupWidth;
inline constexpr int kLcdRowBytes = 3;
// The host's copy of video memory: one byte more than 180000, as the
// ".COD" files have always been.
inline constexpr uint32_t kVideoBufferSize = 180001;

// Where a screen lies in instrument memory and how far apart its column
// groups are.
struct ScreenSource {
    uint32_t base = 0x40000;
    uint32_t stride = 1536;
};

// The instrument type whose display has three screens.
inline constexpr int kThreeScreenType = 14;
inline constexpr int kScreenCount = 3;

// The screen of an instrument of `type`; `screen` (1 to 3) picks one of a
// three-screen instrument's and is not looked at otherwise.
ScreenSource ScreenSourceFor(int type, int screen);

// A rectangle in LCD pixels; right and bottom lie outside it.
struct LcdRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return width() <= 0 || height() <= 0; }
    bool operator==(const LcdRect&) const = default;
};

// True when the rectangle holds pixels and all of them lie on the screen.
bool OnScreen(const LcdRect& rect);

// The rectangles of the two fixed upload buttons.
inline constexpr LcdRect kWholeScreen{0, 0, kLcdWidth, kLcdHeight - 1};
inline constexpr LcdRect kMenuArea{0, 449, kLcdWidth, kLcdHeight - 1};

// One read of an upload: `blocks` blocks of 128 bytes at video buffer
// offset `offset` (instrument address base + offset).
struct ColumnRead {
    uint32_t offset = 0;
    int blocks = 0;
    bool operator==(const ColumnRead&) const = default;
};

// The reads that bring a rectangle into the video buffer: the column
// groups and rows covering it, from one group before the first one the
// rectangle touches, one read per group.
struct UploadPlan {
    int firstGroup = 0;      // G0
    int columns = 0;         // C; C + 1 groups are read
    int blocksPerColumn = 0; // N
    uint32_t startOffset = 0; // O
    std::vector<ColumnRead> reads;
};

// Nothing for a rectangle that is empty or leaves the screen.
std::optional<UploadPlan> PlanUpload(const LcdRect& rect, uint32_t stride);

} // namespace qv
