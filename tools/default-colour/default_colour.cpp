// The default LCD colour table, the data item "Colour" (256 bytes).
//
// The table holds 128 entries, one word each, for the display elements of
// the instrument's screen. A colour code has 3 bits: bit 2 red, bit 1 green,
// bit 0 blue. The theme dialog edits the phase entries (0x0419, 0x041B) in
// their low byte but the window and background entries (0x0480, 0x0482) in
// their high byte, so every word carries its code in both bytes and either
// reader sees the same colour.
#include "default_colour.h"

#include <array>
#include <cstddef>

namespace qvtools {

namespace {

enum Colour : uint8_t { Black = 0, Blue = 1, Green = 2, Aqua = 3, Red = 4, Fuchsia = 5, Yellow = 6, White = 7 };

constexpr int kEntries = 128;

struct Element {
    int index; // word index: image offset 0x0400 + 2 x index
    Colour colour;
    const char* role;
};

// The elements with a colour of their own; every other entry is white text.
constexpr Element kElements[] = {
    // Entries 0-7: the palette in code order, for menus that list the colours.
    {0, Black, "palette black"},
    {1, Blue, "palette blue"},
    {2, Green, "palette green"},
    {3, Aqua, "palette aqua"},
    {4, Red, "palette red"},
    {5, Fuchsia, "palette fuchsia"},
    {6, Yellow, "palette yellow"},
    {7, White, "palette white"},
    // Level meters: normal range, lead range, overload, peak hold.
    {8, Green, "meter bar"},
    {9, Yellow, "meter lead"},
    {10, Red, "meter overload"},
    {11, White, "meter peak hold"},
    // Phase display: 0x0419 and 0x041B are the theme's two goniometer colours.
    {12, Red, "negative phase"},
    {13, Green, "goniometer lines"},
    {14, White, "goniometer axes"},
    {15, Blue, "scale grid"},
    {16, Aqua, "scale text"},
    {17, Yellow, "selected softkey"},
    {18, Black, "softkey text"},
    {19, Aqua, "status line"},
    {20, Red, "alarm text"},
    {21, Yellow, "warning text"},
    // 0x0480 and 0x0482: the theme's window and screen background colours.
    {64, Blue, "windows"},
    {65, Black, "screen background"},
    {66, White, "window frame"},
    {67, Yellow, "window title"},
};

} // namespace

std::vector<uint8_t> DefaultColourBytes()
{
    std::array<Colour, kEntries> table;
    table.fill(White);
    for (const Element& e : kElements)
        table[size_t(e.index)] = e.colour;

    std::vector<uint8_t> bytes(2 * kEntries);
    for (int i = 0; i < kEntries; ++i) {
        bytes[size_t(2 * i)] = table[size_t(i)];
        bytes[size_t(2 * i + 1)] = table[size_t(i)];
    }
    return bytes;
}

} // namespace qvtools
