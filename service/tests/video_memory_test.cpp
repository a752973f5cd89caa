// Decoding video memory into the LCD picture, against a small buffer made
// by hand whose picture is known pixel by pixel.
#include "platform/host/event_pump.h"
#include "service/video_memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using qv::LcdPicture;

struct Pixel {
    int x;
    int y;
    uint8_t code;
};

// Bytes set at a column group's row, and the pixels they stand for.
struct Row {
    int group;
    int row;
    uint8_t bytes[3];
};

// Row 0 of group 0 holds all eight colours; row 2 of group 1 lights its
// rightmost pixel; row 1 of group 2 is red throughout; the last row of the
// last group lights its leftmost pixel.
const Row kRows[] = {
    {0, 0, {0xFA, 0xC6, 0x88}},
    {1, 2, {0x00, 0x00, 0x07}},
    {2, 1, {0x92, 0x49, 0x24}},
    {79, 479, {0xE0, 0x00, 0x00}},
};

std::vector<Pixel> LitPixels()
{
    std::vector<Pixel> pixels;
    for (int x = 0; x < 8; ++x)
        pixels.push_back({x, 0, uint8_t(7 - x)}); // white, yellow, magenta, red, cyan, green, blue, black
    pixels.push_back({15, 2, qv::LcdWhite});
    for (int x = 16; x < 24; ++x)
        pixels.push_back({x, 1, qv::LcdRed});
    pixels.push_back({632, 479, qv::LcdWhite});
    return pixels;
}

LcdPicture Expected()
{
    LcdPicture picture;
    for (const Pixel& p : LitPixels())
        picture.set(p.x, p.y, p.code);
    return picture;
}

std::vector<uint8_t> Fixture(uint32_t stride)
{
    std::vector<uint8_t> buffer(qv::kVideoBufferSize, 0);
    for (const Row& r : kRows)
        for (int i = 0; i < 3; ++i)
            buffer[size_t(r.group) * stride + 3 * size_t(r.row) + size_t(i)] = r.bytes[i];
    return buffer;
}

std::string TempPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-" + name)).string();
}

TEST(VideoMemory, OneRowDecodesToItsEightColoursLeftToRight)
{
    const auto pixels = qv::DecodeRow(0xFA, 0xC6, 0x88);
    EXPECT_EQ(std::vector<uint8_t>(pixels.begin(), pixels.end()), (std::vector<uint8_t>{7, 6, 5, 4, 3, 2, 1, 0}));
}

TEST(VideoMemory, TheWholePictureAtEitherStride)
{
    for (uint32_t stride : {1536u, 2160u}) {
        qv::CallbackEventPump pump;
        const LcdPicture picture = qv::DecodeVideoMemory(Fixture(stride), stride, pump);
        EXPECT_TRUE(picture == Expected()) << "stride " << stride;
        EXPECT_EQ(pump.pumpCount(), 80) << "events run after each column group";
    }
}

TEST(VideoMemory, WhatTheBufferDoesNotHoldIsBlack)
{
    // Only the first two column groups' worth of bytes.
    const std::vector<uint8_t> all = Fixture(1536);
    const std::vector<uint8_t> start(all.begin(), all.begin() + 2 * 1536);
    qv::CallbackEventPump pump;
    const LcdPicture picture = qv::DecodeVideoMemory(start, 1536, pump);
    EXPECT_EQ(picture.at(0, 0), qv::LcdWhite);
    EXPECT_EQ(picture.at(15, 2), qv::LcdWhite);
    EXPECT_EQ(picture.at(16, 1), qv::LcdBlack) << "group 2 lies beyond the bytes";
}

TEST(VideoMemory, FilesOfAnyLengthLoadTheirStart)
{
    const std::string path = TempPath("video.COD");
    const struct {
        size_t length;
        uint8_t fill;
    } cases[] = {{10, 0x11}, {qv::kVideoBufferSize, 0x22}, {qv::kVideoBufferSize + 500, 0x33}, {0, 0}};
    for (const auto& c : cases) {
        std::ofstream(path, std::ios::binary) << std::string(c.length, char(c.fill));
        qv::VideoBuffer buffer;
        buffer.fill(0xEE);
        std::string error;
        ASSERT_TRUE(qv::ReadVideoFile(path, buffer, error)) << c.length << ": " << error;
        const size_t loaded = std::min(c.length, buffer.size());
        EXPECT_EQ(size_t(std::count(buffer.begin(), buffer.end(), c.fill)), c.fill ? loaded : buffer.size())
            << c.length;
        EXPECT_EQ(size_t(std::count(buffer.begin() + std::ptrdiff_t(loaded), buffer.end(), 0)), buffer.size() - loaded)
            << c.length << ": the missing part stays black";
    }
    std::filesystem::remove(path);
}

TEST(VideoMemory, AFileThatCannotBeReadLeavesTheBufferCleared)
{
    for (const std::string& path : {TempPath("missing.COD"), std::filesystem::temp_directory_path().string()}) {
        qv::VideoBuffer buffer;
        buffer.fill(0xEE);
        std::string error;
        EXPECT_FALSE(qv::ReadVideoFile(path, buffer, error)) << path;
        EXPECT_FALSE(error.empty()) << path;
        EXPECT_EQ(size_t(std::count(buffer.begin(), buffer.end(), 0)), buffer.size()) << path;
    }
}

} // namespace
