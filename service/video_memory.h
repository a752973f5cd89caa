#pragma once

#include "lcd_geometry.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv {

class EventPump;

// The host's copy of video memory from a screen's base address: byte k is
// instrument address base + k.
using VideoBuffer = std::array<uint8_t, kVideoBufferSize>;

// The colour codes of the eight LCD colours.
enum LcdColour : uint8_t { LcdBlack, LcdBlue, LcdGreen, LcdCyan, LcdRed, LcdMagenta, LcdYellow, LcdWhite };

// A decoded LCD picture: one colour code a pixel, row by row.
struct LcdPicture {
    std::vector<uint8_t> codes = std::vector<uint8_t>(size_t(kLcdWidth) * kLcdHeight, LcdBlack);

    uint8_t at(int x, int y) const { return codes[size_t(y) * kLcdWidth + size_t(x)]; }
    void set(int x, int y, uint8_t code) { codes[size_t(y) * kLcdWidth + size_t(x)] = code; }
    bool operator==(const LcdPicture&) const = default;
};

// The eight pixels of one row of a column group, leftmost first, from its
// three bytes.
std::array<uint8_t, kLcdGroupWidth> DecodeRow(uint8_t b0, uint8_t b1, uint8_t b2);

// The whole picture from video memory whose column groups lie `stride`
// bytes apart; pending events run after each column group. Bytes the
// buffer does not hold decode as black.
LcdPicture DecodeVideoMemory(std::span<const uint8_t> buffer, uint32_t stride, EventPump& pump);

// Reads the start of a ".COD" file into the cleared buffer: at most the
// buffer's size, a shorter file filling only the start. False, with the
// platform's reason and the buffer left cleared, when it cannot be read.
bool ReadVideoFile(const std::string& path, VideoBuffer& buffer, std::string& error);

} // namespace qv
