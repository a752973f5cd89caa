// The simulated instrument's display: a picture drawn from its state, in
// video memory where the host reads it, frozen and released on command.
#include "sim/front_panel.h"
#include "sim/default_memory.h"
#include "sim/routing.h"
#include "sim/testing/sim_process.h"
#include "sim/virtual_instrument.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace qv::sim::test {
namespace {

using Codes = std::vector<uint8_t>;

// Pixels that differ between two pictures, as a bounding box.
struct Box {
    int left = LcdPicture::kWidth, top = LcdPicture::kHeight, right = -1, bottom = -1;
    bool empty() const { return right < 0; }
};

Box Changed(const Codes& a, const Codes& b)
{
    Box box;
    for (int y = 0; y < LcdPicture::kHeight; ++y)
        for (int x = 0; x < LcdPicture::kWidth; ++x)
            if (a[size_t(y) * LcdPicture::kWidth + size_t(x)] != b[size_t(y) * LcdPicture::kWidth + size_t(x)]) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box;
}

Bytes ReadOverTheWire(InstrumentDriver& d, uint32_t address)
{
    d.wakeUp();
    d.setAddress(address);
    const Bytes reply = d.readBlock(128);
    return Bytes(reply.begin() + 1, reply.end() - 1); // without the acknowledgement and the checksum
}

TEST(LcdDisplay, WhatItShowsFollowsTheInstrumentsState)
{
    const struct {
        const char* what;
        std::function<void(InstrumentDriver&)> change;
        Box within; // where the picture may change
    } cases[] = {
        {"input 9 to PPM channel 1", [](InstrumentDriver& d) { d.send(".SA65,9\r"); }, {64, 24, 104, 430}},
        {"preset 2", [](InstrumentDriver& d) { d.send(".SP9,2\r"); }, {0, 0, 640, 449}},
        {"softkey 3 pressed", [](InstrumentDriver& d) {
             d.wakeUp();
             d.send(Bytes{0x0F, 3});
         },
         {160, 449, 240, 480}},
    };
    for (const auto& c : cases) {
        InstrumentDriver d;
        const Codes before = d.instrument.lcdPicture().codes;
        c.change(d);
        const Box box = Changed(before, d.instrument.lcdPicture().codes);
        EXPECT_FALSE(box.empty()) << c.what;
        EXPECT_GE(box.left, c.within.left) << c.what;
        EXPECT_GE(box.top, c.within.top) << c.what;
        EXPECT_LE(box.right, c.within.right) << c.what;
        EXPECT_LE(box.bottom, c.within.bottom) << c.what;
    }
}

TEST(LcdDisplay, ItDrawsWithTheColoursOfItsConfiguration)
{
    InstrumentDriver d;
    EXPECT_EQ(d.instrument.lcdPicture().at(1, 30), 0) << "black screen background";
    // The theme writes the background into the high byte of its word, then
    // has the software take over its memory.
    d.instrument.poke(kLcdColours + 2 * 65, {4});
    d.send(".SP15,22\r");
    EXPECT_EQ(d.instrument.lcdPicture().at(1, 30), 4) << "red";
}

TEST(LcdDisplay, VideoMemoryHoldsThePictureWhereTheHostReadsIt)
{
    const struct {
        uint16_t serial;
        uint32_t base;
        uint32_t stride;
    } cases[] = {{12345, 0x40000, 1536}, {55000, 0x40168, 2160}};
    for (const auto& c : cases) {
        InstrumentOptions options;
        options.serial = c.serial;
        InstrumentDriver d(options);
        // Row 22 is the white line under the title, across the screen.
        for (uint32_t group : {0u, 3u, 79u}) {
            const Bytes block = ReadOverTheWire(d, c.base + group * c.stride + 3 * 22);
            EXPECT_EQ(Bytes(block.begin(), block.begin() + 3), (Bytes{0xFF, 0xFF, 0xFF}))
                << c.serial << " group " << group;
        }
        // A change is there at the next read.
        // Row 100 of PPM channel 1: lit by input 1, dark with input 9.
        const uint32_t meter = c.base + 9 * c.stride + 3 * 100;
        const Bytes before = ReadOverTheWire(d, meter);
        d.send(".SA65,9\r");
        EXPECT_NE(ReadOverTheWire(d, meter), before) << c.serial;
    }
}

TEST(LcdDisplay, FrozenItKeepsItsPictureUntilReleased)
{
    const struct {
        const char* what;
        Bytes freeze;
        Bytes release;
    } cases[] = {
        {"escape commands", {0x1B, 'q'}, {0x1B, 'r'}},
        {"DOT commands", textBytes("\r.SP15,17\r"), textBytes("\r.SP15,19\r")},
        {"a restart", {0x1B, 'q'}, {0xA6, 0x6D, 0x0E}},
    };
    for (const auto& c : cases) {
        InstrumentDriver d;
        d.send(".SA65,9\r"); // changed before the freeze: shown
        const Codes routed = d.instrument.lcdPicture().codes;
        d.send(c.freeze);
        EXPECT_TRUE(d.instrument.lcdFrozen()) << c.what;
        d.send(".SA65,10\r");
        EXPECT_EQ(d.instrument.live().source(65), 10) << c.what << ": the software goes on";
        EXPECT_TRUE(d.instrument.lcdPicture().codes == routed) << c.what;
        d.send(c.release);
        d.pauseMs(d.instrument.options().bootMs);
        EXPECT_FALSE(d.instrument.lcdFrozen()) << c.what;
        EXPECT_FALSE(d.instrument.lcdPicture().codes == routed) << c.what << ": the new routing shows";
    }
}

TEST(LcdDisplay, EscapeCommandsLeaveTheTextAround)
{
    InstrumentDriver d;
    d.send(".SP9,");
    d.send(Bytes{0x1B, 'q'});
    d.send("3\r");
    EXPECT_EQ(d.instrument.live().preset, 3) << "the escape command is not part of the line";
    d.send(Bytes{0x1B, 'x'});
    EXPECT_TRUE(d.instrument.lcdFrozen()) << "ESC x is no command";
    d.send(".SP15,19\r");
    EXPECT_FALSE(d.instrument.lcdFrozen()) << "and takes nothing but the x with it";
}

TEST(LcdDisplay, DownloadModeIsAllItSays)
{
    InstrumentDriver d;
    d.send("\r.SP15,20\r\r.SP15,21\r");
    d.pauseMs(d.instrument.options().bootMs);
    ASSERT_TRUE(d.instrument.inDownloadMode());
    const Box lit = Changed(LcdPicture().codes, d.instrument.lcdPicture().codes);
    EXPECT_FALSE(lit.empty());
    EXPECT_GE(lit.top, 200);
    EXPECT_LE(lit.bottom, 260) << "one line of text on black";
}

TEST(LcdDisplay, TheFrontPanelWritesThePictureItShows)
{
    VirtualInstrument sim;
    FrontPanel panel(sim.instrument, sim.clock);
    const auto path = std::filesystem::temp_directory_path() / ("lcd-" + std::to_string(getpid()) + ".ppm");
    EXPECT_EQ(panel.command("lcd " + path.string()), "ok");
    const std::string ppm = testing::SlurpFile(path);
    const std::string header = "P6\n640 480\n255\n";
    ASSERT_EQ(ppm.size(), header.size() + 640 * 480 * 3);
    EXPECT_EQ(ppm.substr(0, header.size()), header);
    const size_t lineUnderTitle = header.size() + (22 * 640 + 5) * 3;
    EXPECT_EQ(ppm.substr(lineUnderTitle, 3), std::string(3, '\xFF')) << "white";
    EXPECT_EQ(ppm.substr(header.size() + (30 * 640 + 1) * 3, 3), std::string(3, '\0')) << "black";

    std::vector<uint8_t> out;
    sim.instrument.receive(0x1B, sim.clock.nowUs(), out);
    sim.instrument.receive('q', sim.clock.nowUs(), out);
    EXPECT_EQ(panel.command("lcd " + path.string()), "ok, frozen");
    std::filesystem::remove(path);
    const auto nowhere = path.parent_path() / "missing" / "lcd.ppm";
    EXPECT_EQ(panel.command("lcd " + nowhere.string()), nowhere.string() + ": No such file or directory");
    EXPECT_EQ(panel.command("lcd").rfind("usage: ", 0), 0u) << "a missing file name is answered with the usage";
}

} // namespace
} // namespace qv::sim::test
