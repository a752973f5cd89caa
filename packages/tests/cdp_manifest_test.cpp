#include "packages/cdp_format.h"
#include "packages/cdp_manifest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace qv {
namespace {

TEST(CdpManifest, ParsesEveryPayloadFormAndTheTexts)
{
    const fs::path dir = fs::temp_directory_path() / "qv-manifest-test";
    fs::create_directories(dir);
    {
        std::ofstream(dir / "block.bin", std::ios::binary) << "ABC";
    }
    const std::string text = "# a comment\r\n"
                             "\n"
                             "version 0004\n"
                             "description  Update for the RVT470D\r\n"
                             "item 0 0x8 $1000 @block.bin Writing software\n"
                             "  item 1 0 0x1C010 $1234 Setting a word\n"
                             "item 22 0 10 255 One byte\n"
                             "item 4\t0\t0\t-\tLine one\\rline two \\\\ \\xB4\n"
                             "item 21 0 0 1 size=262144 Whole memory\n"
                             "item 2 0 0 -\n";
    std::string error;
    auto draft = ParseCdpManifest(text, dir.string(), "m", error);
    fs::remove_all(dir);
    ASSERT_TRUE(draft) << error;
    EXPECT_EQ(draft->version, "0004");
    EXPECT_EQ(draft->description, "Update for the RVT470D");
    ASSERT_EQ(draft->items.size(), 6u);

    const auto& block = draft->items[0];
    EXPECT_EQ(block.kind, 0);
    EXPECT_EQ(block.mask, 8u);
    EXPECT_EQ(block.address, 0x1000u);
    EXPECT_EQ(block.payload, (std::vector<uint8_t>{'A', 'B', 'C'}));
    EXPECT_EQ(block.description, "Writing software");

    EXPECT_EQ(draft->items[1].payload, (std::vector<uint8_t>{0x34, 0x12}));
    EXPECT_EQ(draft->items[2].payload, (std::vector<uint8_t>{0xFF}));
    EXPECT_EQ(draft->items[3].description, "Line one\rline two \\ \xB4");
    EXPECT_EQ(draft->items[4].size, 262144u);
    EXPECT_EQ(draft->items[4].description, "Whole memory");
    EXPECT_EQ(draft->items[5].description, "");
}

TEST(CdpManifest, ErrorsNameTheLine)
{
    struct Case {
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"versoin 0001", "m:2: unknown statement 'versoin'"},
        {"version 00001", "m:2: the format version is a word of 1 to 4 characters"},
        {"item x 0 0 -", "m:2: the kind is a number from 0 to 65535"},
        {"item 65536 0 0 -", "m:2: the kind is a number from 0 to 65535"},
        {"item 4 0x100000000 0 -", "m:2: the type mask is a 32-bit number"},
        {"item 4 0 zz -", "m:2: the address is a 32-bit number"},
        {"item 1 0 0 65536 Too big", "m:2: kind 1 needs a value from 0 to 65535"},
        {"item 1 0 0 - No value", "m:2: kind 1 needs a value from 0 to 65535"},
        {"item 22 0 0 256 Too big", "m:2: kind 22 needs a value from 0 to 255"},
        {"item 0 0 0 5 Not a file", "m:2: kind 0 needs its data as @FILE"},
        {"item 4 0 0 7 Message", "m:2: kind 4 carries no data: write -"},
        {"item 21 0 0 1 size=big Whole", "m:2: size= takes a 32-bit number"},
        {"item 4 0 0 - Bad \\q escape", "m:2: bad escape in text (use \\r, \\n, \\\\ or \\xHH)"},
        {"item 4 0 0 - Cut \\x4", "m:2: bad escape in text (use \\r, \\n, \\\\ or \\xHH)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string error;
        EXPECT_FALSE(ParseCdpManifest(std::string("description ok\n") + c.line + "\n", ".", "m", error));
        EXPECT_EQ(error, c.error);
    }

    std::string error;
    EXPECT_FALSE(ParseCdpManifest("item 0 0 0 @no-such-file x\n", "/nonexistent", "m", error));
    EXPECT_EQ(error.rfind("m:1: /nonexistent/no-such-file: ", 0), 0u) << error;
    EXPECT_FALSE(ParseCdpManifest("description " + std::string(256, 'x'), ".", "m", error));
    EXPECT_EQ(error, "m:1: the text is longer than 255 characters");
}

TEST(CdpManifest, EscapesRoundTrip)
{
    const std::string raw = std::string("a\\b\rc\nd\x01\x7F\xB4 e");
    EXPECT_EQ(EscapeCdpText(raw), "a\\\\b\\rc\\nd\\x01\\x7F\xB4 e");
    EXPECT_EQ(UnescapeCdpText(EscapeCdpText(raw)), raw);
}

} // namespace
} // namespace qv
