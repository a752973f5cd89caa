#include "lcd_screen.h"

#include "default_memory.h"
#include "preset_memory.h"

#include <algorithm>
#include <cstdio>

namespace qv::sim {

namespace {

// The configuration memory's LCD tables.
constexpr uint32_t kSharedLabels = kConfigImage + 0x0F00; // outputs 65-96
constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 11;

// Colour table entries of the elements drawn here.
enum Element {
    MeterBar = 8,
    MeterLead = 9,
    MeterOverload = 10,
    MeterPeak = 11,
    ScaleGrid = 15,
    ScaleText = 16,
    SelectedKey = 17,
    KeyText = 18,
    StatusLine = 19,
    Windows = 64,
    Background = 65,
    WindowFrame = 66,
};

// Meter area: 0 dB at the top, -60 dB at the bottom, PPM channels 1-16.
constexpr int kMeterTop = 40;
constexpr int kMeterBottom = 400;
constexpr int kPixelsPerDb = 6;
constexpr int kMeterChannels = 16;
constexpr int kFirstMeterOutput = 65;
constexpr int kMeterLeft = 72;
constexpr int kMeterPitch = 35;
constexpr int kBarWidth = 24;
constexpr int kLeadDb = -18;
constexpr int kOverloadDb = -9;

// Softkey row: the bottom 31 rows, eight keys of 80 pixels.
constexpr int kKeyTop = 449;
constexpr int kKeys = 8;
constexpr int kKeyWidth = 80;
constexpr const char* kKeyLabels[kKeys] = {"PPM", "PHASE", "LEQ(M)", "PRESET", "ROUTE", "GAIN", "SETUP", "MENU"};

class Painter {
public:
    Painter(LcdPicture& picture, const std::vector<uint8_t>& memory) : picture_(picture), memory_(memory) {}

    // The theme edits the window and background entries in the high byte of
    // their word and the others in the low byte; the software reads each
    // where the theme writes it.
    uint8_t colour(int element) const
    {
        const uint32_t word = kLcdColours + 2 * uint32_t(element);
        return uint8_t(memory_[element >= Windows ? word : word + 1] & 7);
    }

    void fill(int x0, int y0, int x1, int y1, uint8_t code)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                picture_.set(x, y, code);
    }
    void frame(int x0, int y0, int x1, int y1, uint8_t code)
    {
        fill(x0, y0, x1, y0 + 1, code);
        fill(x0, y1 - 1, x1, y1, code);
        fill(x0, y0, x0 + 1, y1, code);
        fill(x1 - 1, y0, x1, y1, code);
    }
    // Text in the font, `scale` pixels a font pixel; its width in pixels.
    int text(int x, int y, const std::string& text, uint8_t code, int scale = 1)
    {
        for (size_t i = 0; i < text.size(); ++i) {
            const uint32_t glyph = kLcdFont + uint32_t(uint8_t(text[i])) * kGlyphHeight;
            for (int row = 0; row < kGlyphHeight; ++row) {
                const uint8_t bits = memory_[glyph + uint32_t(row)];
                for (int column = 0; column < kGlyphWidth; ++column)
                    if (bits & (0x80 >> column))
                        fill(x + (int(i) * kGlyphWidth + column) * scale, y + row * scale,
                             x + (int(i) * kGlyphWidth + column + 1) * scale, y + (row + 1) * scale, code);
            }
        }
        return int(text.size()) * kGlyphWidth * scale;
    }
    int textWidth(const std::string& text, int scale = 1) const { return int(text.size()) * kGlyphWidth * scale; }

private:
    LcdPicture& picture_;
    const std::vector<uint8_t>& memory_;
};

std::string sharedLabel(const std::vector<uint8_t>& memory, int output)
{
    const uint32_t a = kSharedLabels + 4 * uint32_t(output - kFirstMeterOutput);
    std::string label(4, ' ');
    for (uint32_t k = 0; k < 4; ++k)
        label[k] = char(memory[a + (k ^ 1)]);
    return label;
}

int yOfDb(int db)
{
    return kMeterTop - db * kPixelsPerDb;
}

// The level of the programme on an input, the same every time it is drawn.
int inputLevelDb(int input)
{
    return -2 - (input * 7) % 48;
}

void drawTitle(Painter& p, const LiveState& live, uint16_t serial, uint16_t softwareVersion)
{
    const uint8_t status = p.colour(StatusLine);
    const std::string name = live.presetNames[size_t(live.preset - 1)];
    p.text(8, 6, "Preset " + std::to_string(live.preset) + " - " + name, status);
    const std::string identity = "S/N " + std::to_string(serial) + "  SW " + versionDigits(softwareVersion);
    p.text(LcdPicture::kWidth - 8 - p.textWidth(identity), 6, identity, status);
    p.fill(0, 22, LcdPicture::kWidth, 23, p.colour(WindowFrame));
}

void drawScale(Painter& p)
{
    for (int db = 0; db >= -60; db -= 10) {
        const int y = yOfDb(db);
        const std::string mark = std::to_string(db);
        p.text(56 - p.textWidth(mark), y - kGlyphHeight / 2 - 1, mark, p.colour(ScaleText));
        for (int x = kMeterLeft - 8; x < kMeterLeft + kMeterChannels * kMeterPitch; x += 4)
            p.fill(x, y, x + 2, y + 1, p.colour(ScaleGrid));
    }
}

void drawMeter(Painter& p, const std::vector<uint8_t>& memory, const LiveState& live, int channel)
{
    const int output = kFirstMeterOutput + channel;
    const int x = kMeterLeft + channel * kMeterPitch;
    const int input = live.source(output);
    const std::string source = input ? std::to_string(input) : "--";
    p.text(x + (kBarWidth - p.textWidth(source)) / 2, 26, source, p.colour(ScaleText));
    p.frame(x - 1, kMeterTop - 1, x + kBarWidth + 1, kMeterBottom + 1, p.colour(WindowFrame));
    if (input) {
        const int level = inputLevelDb(input);
        const int top = yOfDb(level);
        const struct {
            int fromDb, toDb;
            Element element;
        } zones[] = {{-60, kLeadDb, MeterBar}, {kLeadDb, kOverloadDb, MeterLead}, {kOverloadDb, 0, MeterOverload}};
        for (const auto& zone : zones) {
            const int y0 = std::max(top, yOfDb(zone.toDb));
            const int y1 = yOfDb(zone.fromDb);
            if (y0 < y1)
                p.fill(x + 1, y0, x + kBarWidth - 1, y1, p.colour(zone.element));
        }
        // Peak hold a little above the level.
        const int peak = yOfDb(std::min(level + 3, 0));
        p.fill(x + 1, peak, x + kBarWidth - 1, peak + 2, p.colour(MeterPeak));
    }
    const std::string label = sharedLabel(memory, output);
    p.text(x + (kBarWidth - p.textWidth(label)) / 2, kMeterBottom + 8, label, p.colour(WindowFrame));
}

void drawSoftkeys(Painter& p, int selectedKey)
{
    for (int k = 0; k < kKeys; ++k) {
        const bool lit = k + 1 == selectedKey;
        const int x = k * kKeyWidth;
        p.fill(x + 2, kKeyTop + 2, x + kKeyWidth - 2, LcdPicture::kHeight - 1,
               p.colour(lit ? SelectedKey : Windows));
        p.frame(x + 1, kKeyTop + 1, x + kKeyWidth - 1, LcdPicture::kHeight, p.colour(WindowFrame));
        const std::string label = kKeyLabels[k];
        p.text(x + (kKeyWidth - p.textWidth(label)) / 2, kKeyTop + 10, label,
               p.colour(lit ? KeyText : WindowFrame));
    }
}

} // namespace

LcdLayout lcdLayoutFor(uint16_t serial)
{
    if (serial >= 50000 && serial <= 65000)
        return {0x40168, 2160};
    return {kLcdVideo, 1536};
}

LcdPicture drawLcd(const std::vector<uint8_t>& memory, const LiveState& live, uint16_t serial,
                   uint16_t softwareVersion, int selectedKey, LcdContent content)
{
    LcdPicture picture;
    Painter p(picture, memory);
    if (content == LcdContent::DownloadMode) {
        const std::string text = "SYSTEM IN DOWNLOAD MODE";
        p.text((LcdPicture::kWidth - p.textWidth(text, 2)) / 2, 218, text, 7, 2);
        return picture;
    }
    p.fill(0, 0, LcdPicture::kWidth, LcdPicture::kHeight, p.colour(Background));
    drawTitle(p, live, serial, softwareVersion);
    drawScale(p);
    for (int channel = 0; channel < kMeterChannels; ++channel)
        drawMeter(p, memory, live, channel);
    drawSoftkeys(p, selectedKey);
    return picture;
}

void encodeLcd(const LcdPicture& picture, const LcdLayout& layout, std::vector<uint8_t>& memory)
{
    for (int group = 0; group < LcdPicture::kWidth / 8; ++group) {
        for (int row = 0; row < LcdPicture::kHeight; ++row) {
            uint32_t value = 0;
            for (int i = 0; i < 8; ++i)
                value = value << 3 | picture.at(group * 8 + i, row);
            const uint32_t at = layout.base + uint32_t(group) * layout.stride + 3 * uint32_t(row);
            memory[at] = uint8_t(value >> 16);
            memory[at + 1] = uint8_t(value >> 8);
            memory[at + 2] = uint8_t(value);
        }
    }
}

std::vector<uint8_t> lcdAsPpm(const LcdPicture& picture)
{
    char header[32];
    const int n = std::snprintf(header, sizeof header, "P6\n%d %d\n255\n", LcdPicture::kWidth, LcdPicture::kHeight);
    std::vector<uint8_t> bytes(header, header + n);
    for (uint8_t code : picture.codes) {
        bytes.push_back(code & 4 ? 255 : 0);
        bytes.push_back(code & 2 ? 255 : 0);
        bytes.push_back(code & 1 ? 255 : 0);
    }
    return bytes;
}

} // namespace qv::sim
