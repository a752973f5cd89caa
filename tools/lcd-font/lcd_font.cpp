// The instrument's LCD character set, the data item "Font" (2816 bytes).
//
// Layout: 256 glyphs of 11 bytes, glyph c at byte 11 x c. Each byte is one
// pixel row, top row first; bit 7 is the leftmost of the 8 pixels.
//
// Cell (8 x 11 pixels):
//   rows 2-8   capitals and digits (7 rows), baseline on row 8
//   rows 4-8   lower case without ascenders (x-height 5)
//   accents    capitals: accent on rows 0-1, letter one row shorter on 3-8;
//              lower case: accent on rows 1-2, letter unchanged; the ring
//              sits right on the letter, the cedilla on rows 9-10
//   rows 9-10  descenders (g j p q y, comma, cedilla)
//   columns 1-5 hold the letters; columns 0, 6 and 7 are the space between
//   characters. Block and bar graphics use all 8 columns and 11 rows.
//
// Codes:
//   0x00        blank
//   0x01-0x0B   bar filled from the bottom, 1 to 11 rows
//   0x0C-0x13   bar filled from the left, 1 to 8 columns
//   0x14-0x17   arrows up, down, left, right
//   0x18-0x1B   triangles right, left, up, down
//   0x1C-0x1F   check mark, note, lock, bullet
//   0x20-0x7E   ASCII
//   0x7F        full block
//   0x80-0x9F   blank
//   0xA0-0xFF   Latin-1 (the fractions 0xBC-0xBE are blank: they do not fit
//               in five columns)
#include "lcd_font.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <string_view>

namespace qvtools {

namespace {

constexpr int kGlyphs = 256;
constexpr int kRows = 11;
constexpr int kBodyColumn = 1; // first column of a 5-wide letter

using Glyph = std::array<uint8_t, kRows>;
using Font = std::array<Glyph, kGlyphs>;

// A drawing: rows of '#' and '.', separated by '|', 5 columns wide, its
// first row at `top`.
struct Drawing {
    int code;
    int top;
    std::string_view rows;
};

constexpr Drawing kDrawings[] = {
    // Symbols in the control range.
    {0x14, 2, "..#..|.###.|#.#.#|..#..|..#..|..#..|..#.."},
    {0x15, 2, "..#..|..#..|..#..|..#..|#.#.#|.###.|..#.."},
    {0x16, 3, "..#..|.#...|#####|.#...|..#.."},
    {0x17, 3, "..#..|...#.|#####|...#.|..#.."},
    {0x18, 2, "#....|##...|###..|####.|###..|##...|#...."},
    {0x19, 2, "....#|...##|..###|.####|..###|...##|....#"},
    {0x1A, 3, "..#..|..#..|.###.|.###.|#####"},
    {0x1B, 3, "#####|.###.|.###.|..#..|..#.."},
    {0x1C, 3, "....#|....#|...#.|#.#..|.#..."},
    {0x1D, 2, "..#..|..##.|..#.#|..#..|.##..|###..|.#..."},
    {0x1E, 2, ".###.|#...#|#...#|#####|##.##|##.##|#####"},
    {0x1F, 3, ".###.|#####|#####|#####|.###."},
    // ASCII.
    {'!', 2, "..#..|..#..|..#..|..#..|..#..|.....|..#.."},
    {'"', 2, ".#.#.|.#.#.|.#.#."},
    {'#', 2, ".#.#.|.#.#.|#####|.#.#.|#####|.#.#.|.#.#."},
    {'$', 2, "..#..|.####|#.#..|.###.|..#.#|####.|..#.."},
    {'%', 2, "##...|##..#|...#.|..#..|.#...|#..##|...##"},
    {'&', 2, ".##..|#..#.|#.#..|.#...|#.#.#|#..#.|.##.#"},
    {'\'', 2, "..#..|..#..|.#..."},
    {'(', 2, "...#.|..#..|.#...|.#...|.#...|..#..|...#."},
    {')', 2, ".#...|..#..|...#.|...#.|...#.|..#..|.#..."},
    {'*', 3, "..#..|#.#.#|.###.|#.#.#|..#.."},
    {'+', 3, "..#..|..#..|#####|..#..|..#.."},
    {',', 7, ".##..|.##..|..#..|.#..."},
    {'-', 5, "#####"},
    {'.', 7, ".##..|.##.."},
    {'/', 3, "....#|...#.|..#..|.#...|#...."},
    {'0', 2, ".###.|#...#|#..##|#.#.#|##..#|#...#|.###."},
    {'1', 2, "..#..|.##..|..#..|..#..|..#..|..#..|.###."},
    {'2', 2, ".###.|#...#|....#|...#.|..#..|.#...|#####"},
    {'3', 2, "#####|...#.|..#..|...#.|....#|#...#|.###."},
    {'4', 2, "...#.|..##.|.#.#.|#..#.|#####|...#.|...#."},
    {'5', 2, "#####|#....|####.|....#|....#|#...#|.###."},
    {'6', 2, "..##.|.#...|#....|####.|#...#|#...#|.###."},
    {'7', 2, "#####|....#|...#.|..#..|.#...|.#...|.#..."},
    {'8', 2, ".###.|#...#|#...#|.###.|#...#|#...#|.###."},
    {'9', 2, ".###.|#...#|#...#|.####|....#|...#.|.##.."},
    {':', 3, ".##..|.##..|.....|.##..|.##.."},
    {';', 3, ".##..|.##..|.....|.##..|.##..|..#..|.#..."},
    {'<', 2, "...#.|..#..|.#...|#....|.#...|..#..|...#."},
    {'=', 4, "#####|.....|#####"},
    {'>', 2, ".#...|..#..|...#.|....#|...#.|..#..|.#..."},
    {'?', 2, ".###.|#...#|....#|...#.|..#..|.....|..#.."},
    {'@', 2, ".###.|#...#|....#|.##.#|#.#.#|#.#.#|.###."},
    {'A', 2, ".###.|#...#|#...#|#####|#...#|#...#|#...#"},
    {'B', 2, "####.|#...#|#...#|####.|#...#|#...#|####."},
    {'C', 2, ".###.|#...#|#....|#....|#....|#...#|.###."},
    {'D', 2, "###..|#..#.|#...#|#...#|#...#|#..#.|###.."},
    {'E', 2, "#####|#....|#....|####.|#....|#....|#####"},
    {'F', 2, "#####|#....|#....|####.|#....|#....|#...."},
    {'G', 2, ".###.|#...#|#....|#.###|#...#|#...#|.####"},
    {'H', 2, "#...#|#...#|#...#|#####|#...#|#...#|#...#"},
    {'I', 2, ".###.|..#..|..#..|..#..|..#..|..#..|.###."},
    {'J', 2, "..###|...#.|...#.|...#.|...#.|#..#.|.##.."},
    {'K', 2, "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#"},
    {'L', 2, "#....|#....|#....|#....|#....|#....|#####"},
    {'M', 2, "#...#|##.##|#.#.#|#.#.#|#...#|#...#|#...#"},
    {'N', 2, "#...#|#...#|##..#|#.#.#|#..##|#...#|#...#"},
    {'O', 2, ".###.|#...#|#...#|#...#|#...#|#...#|.###."},
    {'P', 2, "####.|#...#|#...#|####.|#....|#....|#...."},
    {'Q', 2, ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#"},
    {'R', 2, "####.|#...#|#...#|####.|#.#..|#..#.|#...#"},
    {'S', 2, ".####|#....|#....|.###.|....#|....#|####."},
    {'T', 2, "#####|..#..|..#..|..#..|..#..|..#..|..#.."},
    {'U', 2, "#...#|#...#|#...#|#...#|#...#|#...#|.###."},
    {'V', 2, "#...#|#...#|#...#|#...#|#...#|.#.#.|..#.."},
    {'W', 2, "#...#|#...#|#...#|#.#.#|#.#.#|#.#.#|.#.#."},
    {'X', 2, "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#"},
    {'Y', 2, "#...#|#...#|.#.#.|..#..|..#..|..#..|..#.."},
    {'Z', 2, "#####|....#|...#.|..#..|.#...|#....|#####"},
    {'[', 2, ".###.|.#...|.#...|.#...|.#...|.#...|.###."},
    {'\\', 3, "#....|.#...|..#..|...#.|....#"},
    {']', 2, ".###.|...#.|...#.|...#.|...#.|...#.|.###."},
    {'^', 2, "..#..|.#.#.|#...#"},
    {'_', 9, "#####"},
    {'`', 2, ".#...|..#..|...#."},
    {'a', 4, ".###.|....#|.####|#...#|.####"},
    {'b', 2, "#....|#....|#.##.|##..#|#...#|#...#|####."},
    {'c', 4, ".###.|#....|#....|#...#|.###."},
    {'d', 2, "....#|....#|.##.#|#..##|#...#|#...#|.####"},
    {'e', 4, ".###.|#...#|#####|#....|.###."},
    {'f', 2, "..##.|.#..#|.#...|###..|.#...|.#...|.#..."},
    {'g', 4, ".####|#...#|#...#|#...#|.####|....#|.###."},
    {'h', 2, "#....|#....|#.##.|##..#|#...#|#...#|#...#"},
    {'i', 2, "..#..|.....|.##..|..#..|..#..|..#..|.###."},
    {'j', 2, "...#.|.....|..##.|...#.|...#.|...#.|...#.|#..#.|.##.."},
    {'k', 2, "#....|#....|#..#.|#.#..|##...|#.#..|#..#."},
    {'l', 2, ".##..|..#..|..#..|..#..|..#..|..#..|.###."},
    {'m', 4, "##.#.|#.#.#|#.#.#|#...#|#...#"},
    {'n', 4, "#.##.|##..#|#...#|#...#|#...#"},
    {'o', 4, ".###.|#...#|#...#|#...#|.###."},
    {'p', 4, "####.|#...#|#...#|#...#|####.|#....|#...."},
    {'q', 4, ".####|#...#|#...#|#...#|.####|....#|....#"},
    {'r', 4, "#.##.|##..#|#....|#....|#...."},
    {'s', 4, ".####|#....|.###.|....#|####."},
    {'t', 2, ".#...|.#...|###..|.#...|.#...|.#..#|..##."},
    {'u', 4, "#...#|#...#|#...#|#..##|.##.#"},
    {'v', 4, "#...#|#...#|#...#|.#.#.|..#.."},
    {'w', 4, "#...#|#...#|#.#.#|#.#.#|.#.#."},
    {'x', 4, "#...#|.#.#.|..#..|.#.#.|#...#"},
    {'y', 4, "#...#|#...#|#...#|#...#|.####|....#|.###."},
    {'z', 4, "#####|...#.|..#..|.#...|#####"},
    {'{', 2, "...#.|..#..|..#..|.#...|..#..|..#..|...#."},
    {'|', 2, "..#..|..#..|..#..|..#..|..#..|..#..|..#.."},
    {'}', 2, ".#...|..#..|..#..|...#.|..#..|..#..|.#..."},
    {'~', 5, ".##.#|#..#."},
    // Latin-1 signs.
    {0xA1, 4, "..#..|.....|..#..|..#..|..#..|..#..|..#.."},
    {0xA2, 3, "..#..|.####|#.#..|#.#..|.####|..#.."},
    {0xA3, 2, "..##.|.#..#|.#...|###..|.#...|.#..#|#.##."},
    {0xA4, 3, "#...#|.###.|.#.#.|.###.|#...#"},
    {0xA5, 2, "#...#|.#.#.|#####|..#..|#####|..#..|..#.."},
    {0xA6, 2, "..#..|..#..|..#..|.....|..#..|..#..|..#.."},
    {0xA7, 2, ".###.|#....|.###.|#...#|.###.|....#|.###."},
    {0xA8, 2, ".#.#."},
    {0xA9, 2, ".###.|#...#|#.###|##..#|#.###|#...#|.###."},
    {0xAA, 2, ".##..|...#.|.###.|#..#.|.###.|.....|####."},
    {0xAB, 3, "..#.#|.#.#.|#.#..|.#.#.|..#.#"},
    {0xAC, 5, "#####|....#"},
    {0xAD, 5, "#####"},
    {0xAE, 2, ".###.|#...#|###.#|##.##|###.#|##.##|.###."},
    {0xAF, 2, "#####"},
    {0xB0, 2, ".##..|#..#.|#..#.|.##.."},
    {0xB1, 2, "..#..|..#..|#####|..#..|..#..|.....|#####"},
    {0xB2, 2, ".##..|#..#.|..#..|.#...|####."},
    {0xB3, 2, "###..|...#.|.##..|...#.|###.."},
    {0xB4, 2, "...#.|..#.."},
    {0xB5, 4, "#...#|#...#|#...#|#..##|###.#|#....|#...."},
    {0xB6, 2, ".####|###.#|###.#|.##.#|..#.#|..#.#|..#.#"},
    {0xB7, 4, ".##..|.##.."},
    {0xB8, 9, "..#..|.##.."},
    {0xB9, 2, ".#...|##...|.#...|.#...|###.."},
    {0xBA, 2, ".##..|#..#.|#..#.|.##..|.....|####."},
    {0xBB, 3, "#.#..|.#.#.|..#.#|.#.#.|#.#.."},
    {0xBF, 4, "..#..|.....|..#..|.#...|#....|#...#|.###."},
    // Latin-1 letters without a plain base letter.
    {0xC6, 2, ".####|#.#..|#.#..|####.|#.#..|#.#..|#.###"},
    {0xD0, 2, "###..|#..#.|#...#|###.#|#...#|#..#.|###.."},
    {0xD7, 3, "#...#|.#.#.|..#..|.#.#.|#...#"},
    {0xD8, 1, "....#|.####|#..##|#..##|#.#.#|##..#|##..#|####.|#...."},
    {0xDE, 2, "#....|####.|#...#|#...#|####.|#....|#...."},
    {0xDF, 2, ".##..|#..#.|#..#.|#.#..|#..#.|#...#|#.##."},
    {0xE6, 4, "##.#.|..#.#|.####|#.#..|.##.#"},
    {0xF0, 2, "..#..|.###.|...#.|.####|#...#|#...#|.###."},
    {0xF7, 3, "..#..|.....|#####|.....|..#.."},
    {0xF8, 3, "....#|.####|#..##|#.#.#|##..#|####.|#...."},
    {0xFE, 2, "#....|#....|####.|#...#|#...#|#...#|####.|#....|#...."},
};

// Accents: two rows, drawn above the base letter with one free row between.
// A capital gives up one of two equal neighbouring rows to make room; the
// ring of the A and the cedilla need no room and leave the letter whole.
enum class Accent { Grave, Acute, Circumflex, Tilde, Diaeresis, Ring, Cedilla };

std::string_view AccentRows(Accent accent)
{
    switch (accent) {
    case Accent::Grave:
        return ".#...|..#..";
    case Accent::Acute:
        return "...#.|..#..";
    case Accent::Circumflex:
        return "..#..|.#.#.";
    case Accent::Tilde:
        return ".##.#|#..#.";
    case Accent::Diaeresis:
        return ".....|.#.#.";
    case Accent::Ring:
        return "..#..|.#.#.";
    case Accent::Cedilla:
        return "..#..|.##..";
    }
    return "";
}

// Lower-case i without its dot, the base of the accented i.
constexpr Drawing kDotlessI{0, 4, ".##..|..#..|..#..|..#..|.###."};

struct Composed {
    int code;
    char base; // 'i' stands for the dotless i
    Accent accent;
};

constexpr Composed kComposed[] = {
    {0xC0, 'A', Accent::Grave},     {0xC1, 'A', Accent::Acute},     {0xC2, 'A', Accent::Circumflex},
    {0xC3, 'A', Accent::Tilde},     {0xC4, 'A', Accent::Diaeresis}, {0xC5, 'A', Accent::Ring},
    {0xC7, 'C', Accent::Cedilla},   {0xC8, 'E', Accent::Grave},     {0xC9, 'E', Accent::Acute},
    {0xCA, 'E', Accent::Circumflex}, {0xCB, 'E', Accent::Diaeresis}, {0xCC, 'I', Accent::Grave},
    {0xCD, 'I', Accent::Acute},     {0xCE, 'I', Accent::Circumflex}, {0xCF, 'I', Accent::Diaeresis},
    {0xD1, 'N', Accent::Tilde},     {0xD2, 'O', Accent::Grave},     {0xD3, 'O', Accent::Acute},
    {0xD4, 'O', Accent::Circumflex}, {0xD5, 'O', Accent::Tilde},     {0xD6, 'O', Accent::Diaeresis},
    {0xD9, 'U', Accent::Grave},     {0xDA, 'U', Accent::Acute},     {0xDB, 'U', Accent::Circumflex},
    {0xDC, 'U', Accent::Diaeresis}, {0xDD, 'Y', Accent::Acute},     {0xE0, 'a', Accent::Grave},
    {0xE1, 'a', Accent::Acute},     {0xE2, 'a', Accent::Circumflex}, {0xE3, 'a', Accent::Tilde},
    {0xE4, 'a', Accent::Diaeresis}, {0xE5, 'a', Accent::Ring},      {0xE7, 'c', Accent::Cedilla},
    {0xE8, 'e', Accent::Grave},     {0xE9, 'e', Accent::Acute},     {0xEA, 'e', Accent::Circumflex},
    {0xEB, 'e', Accent::Diaeresis}, {0xEC, 'i', Accent::Grave},     {0xED, 'i', Accent::Acute},
    {0xEE, 'i', Accent::Circumflex}, {0xEF, 'i', Accent::Diaeresis}, {0xF1, 'n', Accent::Tilde},
    {0xF2, 'o', Accent::Grave},     {0xF3, 'o', Accent::Acute},     {0xF4, 'o', Accent::Circumflex},
    {0xF5, 'o', Accent::Tilde},     {0xF6, 'o', Accent::Diaeresis}, {0xF9, 'u', Accent::Grave},
    {0xFA, 'u', Accent::Acute},     {0xFB, 'u', Accent::Circumflex}, {0xFC, 'u', Accent::Diaeresis},
    {0xFD, 'y', Accent::Acute},     {0xFF, 'y', Accent::Diaeresis},
};

// Draws 5-column rows into a glyph; false when the drawing does not fit.
bool Draw(Glyph& glyph, int top, std::string_view rows)
{
    int row = top;
    size_t start = 0;
    while (start <= rows.size()) {
        size_t end = rows.find('|', start);
        if (end == std::string_view::npos)
            end = rows.size();
        const std::string_view line = rows.substr(start, end - start);
        if (row < 0 || row >= kRows || line.size() != 5)
            return false;
        for (size_t x = 0; x < line.size(); ++x)
            if (line[x] == '#')
                glyph[size_t(row)] |= uint8_t(0x80 >> (kBodyColumn + int(x)));
            else if (line[x] != '.')
                return false;
        ++row;
        start = end + 1;
    }
    return true;
}

const Drawing* FindDrawing(int code)
{
    for (const Drawing& d : kDrawings)
        if (d.code == code)
            return &d;
    return nullptr;
}

// The rows of a capital one row shorter: the first of two equal
// neighbouring rows goes.
std::string Squashed(std::string_view rows)
{
    std::vector<std::string_view> lines;
    for (size_t start = 0; start <= rows.size();) {
        size_t end = rows.find('|', start);
        if (end == std::string_view::npos)
            end = rows.size();
        lines.push_back(rows.substr(start, end - start));
        start = end + 1;
    }
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        if (lines[i] == lines[i + 1]) {
            lines.erase(lines.begin() + std::ptrdiff_t(i));
            break;
        }
    std::string joined;
    for (const auto& line : lines)
        joined += std::string(joined.empty() ? "" : "|") + std::string(line);
    return joined;
}

bool DrawComposed(Font& font, const Composed& c)
{
    const Drawing* base = c.base == 'i' ? &kDotlessI : FindDrawing(c.base);
    if (!base)
        return false;
    Glyph& glyph = font[size_t(c.code)];
    if (c.accent == Accent::Cedilla)
        return Draw(glyph, base->top, base->rows) && Draw(glyph, 9, AccentRows(c.accent));
    if (c.accent == Accent::Ring)
        return Draw(glyph, base->top, base->rows) && Draw(glyph, base->top - 2, AccentRows(c.accent));
    const bool capital = base->top < 3;
    const int top = capital ? base->top + 1 : base->top;
    const std::string rows = capital ? Squashed(base->rows) : std::string(base->rows);
    return Draw(glyph, top, rows) && Draw(glyph, top - 3, AccentRows(c.accent));
}

void DrawBars(Font& font)
{
    for (int rows = 1; rows <= kRows; ++rows)
        for (int r = kRows - rows; r < kRows; ++r)
            font[size_t(rows)][size_t(r)] = 0xFF;
    for (int columns = 1; columns <= 8; ++columns)
        font[size_t(0x0B + columns)].fill(uint8_t(0xFF00 >> columns));
    font[0x7F].fill(0xFF);
}

// Which glyph failed, as "bad drawing of 0x41".
std::string GlyphError(const char* what, int code)
{
    char text[48];
    std::snprintf(text, sizeof text, "bad %s of 0x%02X", what, code);
    return text;
}

} // namespace

bool LcdFontBytes(std::vector<uint8_t>& bytes, std::string& error)
{
    Font font{};
    DrawBars(font);
    for (const Drawing& d : kDrawings)
        if (!Draw(font[size_t(d.code)], d.top, d.rows)) {
            error = GlyphError("drawing", d.code);
            return false;
        }
    for (const Composed& c : kComposed)
        if (!DrawComposed(font, c)) {
            error = GlyphError("composition", c.code);
            return false;
        }
    bytes.clear();
    for (const Glyph& glyph : font)
        bytes.insert(bytes.end(), glyph.begin(), glyph.end());
    return true;
}

} // namespace qvtools
