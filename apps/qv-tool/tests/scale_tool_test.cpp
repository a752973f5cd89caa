// The real qv-tool's real48 and scale commands, on a library laid out byte
// by byte here rather than by the scale library code under test.
#include "tool_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using qvtool::test::Slurp;
using qvtool::test::ToolRun;

constexpr size_t kRecord = 2453;

// Scale 2: "AB", reference 18 dB, Solid Red lines 3 (0 dB, "ABC") and 9
// (-20 dB, "AB"), an unlabelled Solid White line 5 (-6 dB).
std::string Library()
{
    std::string bytes(20 * kRecord, '\0');
    const auto put = [&](size_t at, const std::string& b) { bytes.replace(kRecord + at, b.size(), b); };
    put(0, std::string("\x02" "AB  ", 5));
    put(33, "\x01");                                   // not digital
    put(35, std::string("\x85\0\0\0\0\x10", 6));       // 18.0
    const auto line = [&](size_t n, const std::string& value, const std::string& text, char kind) {
        const size_t at = 41 + 13 * (n - 1);
        put(at, value);
        put(at + 6, text);
        put(at + 11, std::string(1, kind));
    };
    line(3, std::string(6, '\0'), std::string("\x03" "ABC", 4), 3);
    line(5, std::string("\x83\0\0\0\0\xC0", 6), "", 1);          // -6.0
    line(9, std::string("\x85\0\0\0\0\xA0", 6), std::string("\x02" "AB", 3), 3); // -20.0
    return bytes;
}

class ScaleTool : public qvtool::test::ToolFolderTest {};

TEST_F(ScaleTool, Real48EncodeAndDecode)
{
    const std::pair<const char*, const char*> known[] = {
        {"0", "000000000000"},  {"1", "810000000000"},     {"-1", "810000000080"},
        {"0.5", "800000000000"}, {"-12.5", "8400000000C8"}, {"4.0", "830000000000"},
        {"1.7014118346031449e38", "FFFFFFFFFF7F"}, {"2.938735877055719e-39", "010000000000"},
    };
    for (auto [value, hex] : known) {
        SCOPED_TRACE(value);
        auto r = tool({"real48", "encode", value});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, std::string(hex) + "\n");
    }
    EXPECT_EQ(tool({"real48", "decode", "8400000000C8"}).out, "-12.5\n");
    EXPECT_EQ(tool({"real48", "decode", "FFFFFFFFFF7F"}).out, "1.7014118346e+38\n");
    EXPECT_EQ(tool({"real48", "decode", "7E9A99999919"}).out, "0.15\n"); // 12 significant digits

    auto r = tool({"real48", "encode", "1e39"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "qv-tool: 1e39 is outside the Real48 range\n");
    EXPECT_EQ(tool({"real48", "encode", "12,5"}).status, 1);
    EXPECT_EQ(tool({"real48", "decode", "84000000C8"}).status, 1);
    EXPECT_EQ(tool({"real48", "decode", "8400000000CX"}).status, 1);
    EXPECT_EQ(tool({"real48", "encode"}).status, 2);
    EXPECT_EQ(tool({"real48", "round", "1"}).status, 2);
}

TEST_F(ScaleTool, InfoTableAndPreview)
{
    const std::string lib = write("lib.dat", Library());
    auto r = tool({"scale", "info", lib});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\tAB\tKey 1\tIEC 268-10 Type I\t18.0\t3\n");

    r = tool({"scale", "table", lib, "2"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string expected = "4241 2020 0600 0000 0000 0CCD 7FFF 0000 00B4 0002 "
                           "0002 0002 7FFF 0CCD 0001 0000 4026 0002 0003 0041 4342 0002 4241";
    for (int w = 23; w < 128; ++w)
        expected += " 0000";
    EXPECT_EQ(r.out, expected + "\n");

    const std::string png = (dir_ / "preview.png").string();
    r = tool({"scale", "preview", lib, "2", png});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string image = Slurp(png);
    ASSERT_GT(image.size(), 24u);
    EXPECT_EQ(image.substr(1, 3), "PNG");
    EXPECT_EQ(image.substr(16, 8), std::string("\0\0\0\x70\0\0\x01\xD1", 8)); // 112 x 465
}

TEST_F(ScaleTool, BadFilesAndArguments)
{
    const std::string lib = write("lib.dat", Library());
    const std::string longer = write("long.dat", Library() + "x");
    auto r = tool({"scale", "table", longer, "2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "qv-tool: The file " + longer + " is NOT a valid Scale Library\n");
    EXPECT_EQ(tool({"scale", "info", (dir_ / "missing.dat").string()}).status, 1);
    EXPECT_EQ(tool({"scale", "table", lib, "21"}).status, 1);
    EXPECT_EQ(tool({"scale", "table", lib, "0"}).status, 1);
    EXPECT_EQ(tool({"scale", "table", lib}).status, 2);
    EXPECT_EQ(tool({"scale", "draw", lib, "1"}).status, 2);
}

} // namespace
