#pragma once

#include "live_state.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::sim {

// What the instrument's LCD shows: 640 x 480 pixels, each a 3-bit colour
// code (bit 2 red, bit 1 green, bit 0 blue).
struct LcdPicture {
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;
    std::vector<uint8_t> codes = std::vector<uint8_t>(size_t(kWidth) * kHeight, 0);

    uint8_t at(int x, int y) const { return codes[size_t(y) * kWidth + size_t(x)]; }
    void set(int x, int y, uint8_t code)
    {
        if (x >= 0 && x < kWidth && y >= 0 && y < kHeight)
            codes[size_t(y) * kWidth + size_t(x)] = uint8_t(code & 7);
    }
    bool operator==(const LcdPicture&) const = default;
};

// Where the display controller keeps the picture in memory: 80 columns of
// 8 pixels, `stride` bytes apart, each a run of 3-byte rows.
struct LcdLayout {
    uint32_t base = 0x40000;
    uint32_t stride = 1536;
    uint32_t size() const { return 80 * stride; }
};
// The instruments of serial numbers 50000 to 65000 have a larger display
// memory; the picture shown is their first screen.
LcdLayout lcdLayoutFor(uint16_t serial);

// What the display shows.
enum class LcdContent { Meters, DownloadMode };

// The screen the software draws from its configuration memory (colour
// table, font, labels, preset names) and its live state: a title line, the
// meters of PPM channels 1-16 with the input each is routed from, a dB
// scale and the eight softkeys, `selectedKey` (1-8) lit.
LcdPicture drawLcd(const std::vector<uint8_t>& memory, const LiveState& live, uint16_t serial,
                   uint16_t softwareVersion, int selectedKey, LcdContent content);

// The picture into video memory.
void encodeLcd(const LcdPicture& picture, const LcdLayout& layout, std::vector<uint8_t>& memory);

// The picture as a binary PPM image, for whoever wants to look at it.
std::vector<uint8_t> lcdAsPpm(const LcdPicture& picture);

} // namespace qv::sim
