// The real qv-tool's pre commands, on preset and raw files laid out byte by
// byte here rather than by the configuration code under test.
#include "tool_run.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using qvtool::test::Slurp;
using qvtool::test::ToolRun;

constexpr size_t kImage = 16384;
constexpr size_t kPreset = kImage + 32;
// An independent CRC-32 (zlib's) of PresetFile() with its checksum field as zeros.
constexpr uint32_t kPresetChecksum = 0x820B7311;

// A zero image from serial 12345, type 4, software 5.30, extended BIOS
// 01.02, hardware 0xBEEF; integers little-endian.
std::string PresetFile(uint32_t checksum = kPresetChecksum)
{
    std::string file(kImage, '\0');
    file += std::string("\x04QVT_", 5);
    file += std::string("\x04P001\0\0", 7);
    const auto le = [&](uint32_t value, int bytes) {
        for (int k = 0; k < bytes; ++k)
            file += char(value >> (8 * k));
    };
    le(12345, 4);
    le(4, 4);
    le(0x0530, 4);
    le(0x0102, 2);
    le(0xBEEF, 2);
    le(checksum, 4);
    return file;
}

// A raw file whose every byte differs from its neighbours.
std::string RawFile()
{
    std::string file(kImage, '\0');
    for (size_t i = 0; i < file.size(); ++i)
        file[i] = char(i * 7 + i / 256);
    return file;
}

// The checksum field of a preset file as info shows it.
std::string StoredChecksum(const std::string& file)
{
    uint32_t value = 0;
    for (size_t k = 4; k-- > 0;)
        value = value << 8 | uint8_t(file.at(kImage + 28 + k));
    char text[9];
    std::snprintf(text, sizeof text, "%08X", unsigned(value));
    return text;
}

std::string InfoText(bool valid, const std::string& origin, const std::string& checksum)
{
    return std::string("valid=") + (valid ? "true" : "false") + "\n" + origin + "checksum=" + checksum + "\n";
}

const std::string kPresetOrigin =
    "serial=12345\ntype=4\ntypename=RVT470D-X\nversion=05.30\nextbios=0102\nhwid=BEEF\n";
const std::string kNoOrigin =
    "serial=0\ntype=0\ntypename=Unknown Instrument\nversion=00.00\nextbios=0000\nhwid=0000\n";

class PreTool : public qvtool::test::ToolFolderTest {
protected:
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
};

TEST_F(PreTool, InfoPrintsTheTrailerAsKeyValueLines)
{
    struct Case {
        const char* name;
        std::string content;
        std::string out;
    };
    const Case cases[] = {
        {"setup.PRE", PresetFile(), InfoText(true, kPresetOrigin, "820B7311")},
        // Any name: the size tells a raw file, which has no origin.
        {"memory.bin", RawFile(), InfoText(true, kNoOrigin, "00000000")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun r = tool({"pre", "info", write(c.name, c.content)});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(PreTool, BadFileFailsWithTheReadersMessage)
{
    const std::string badSum = write("sum.PRE", PresetFile(0xDEADBEEF));
    const std::string shortFile = write("short.PRE", PresetFile().substr(0, kPreset - 1));
    const std::string longFile = write("long.PRE", PresetFile() + "x");
    const std::string missing = path("missing.PRE");
    fs::create_directory(dir_ / "folder.PRE");
    const std::string folder = path("folder.PRE");
    const std::string crcError = "qv-tool: CRC Error. DEADBEEF 820B7311\n";
    const std::string notValid = "qv-tool: This is not a valid configuration-file!\n";
    struct Case {
        std::vector<std::string> args;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        // What a file failing its checks claims is still shown.
        {{"pre", "info", badSum}, InfoText(false, kPresetOrigin, "820B7311"), crcError},
        {{"pre", "info", shortFile}, "", notValid},
        {{"pre", "info", longFile}, "", notValid},
        {{"pre", "info", missing}, "", "qv-tool: The file \"" + missing + "\" was not found.\n"},
        {{"pre", "info", folder}, "", "qv-tool: cannot read " + folder + ": Is a directory\n"},
        {{"pre", "convert", badSum, path("out.380")}, "", crcError},
        {{"pre", "convert", shortFile, path("out.380")}, "", notValid},
        {{"pre", "upgrade", badSum, path("out.PRE"), "--to", "5.10"}, "", crcError},
        {{"pre", "convert", missing, path("out.380")}, "", "qv-tool: The file \"" + missing + "\" was not found.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1] + " " + c.args[2]);
        const ToolRun r = tool(c.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
    EXPECT_FALSE(fs::exists(dir_ / "out.380"));
    EXPECT_FALSE(fs::exists(dir_ / "out.PRE"));
}

TEST_F(PreTool, ConvertRoundTripsKeepTheImage)
{
    // A preset file to raw gives its image; back to a preset file the origin is gone.
    const std::string preset = PresetFile();
    ASSERT_EQ(tool({"pre", "convert", write("origin.PRE", preset), path("origin.380")}).status, 0);
    EXPECT_EQ(Slurp(dir_ / "origin.380"), preset.substr(0, kImage));
    ASSERT_EQ(tool({"pre", "convert", path("origin.380"), path("again.PRE")}).status, 0);
    const std::string again = Slurp(dir_ / "again.PRE");
    ASSERT_EQ(again.size(), kPreset);
    EXPECT_EQ(again.substr(0, kImage), preset.substr(0, kImage));
    EXPECT_EQ(tool({"pre", "info", path("again.PRE")}).out, InfoText(true, kNoOrigin, StoredChecksum(again)));

    // Preset, raw, preset again: byte for byte the same files.
    const std::string raw = RawFile();
    ASSERT_EQ(tool({"pre", "convert", write("image.380", raw), path("first.PRE")}).status, 0);
    ASSERT_EQ(tool({"pre", "convert", path("first.PRE"), path("second.380")}).status, 0);
    ASSERT_EQ(tool({"pre", "convert", path("second.380"), path("second.PRE")}).status, 0);
    const std::string first = Slurp(dir_ / "first.PRE");
    EXPECT_EQ(first.substr(0, kImage), raw);
    EXPECT_EQ(Slurp(dir_ / "second.380"), raw);
    EXPECT_EQ(Slurp(dir_ / "second.PRE"), first);
}

TEST_F(PreTool, UpgradeTakesTheStepsUpToTheAskedVersion)
{
    const std::string raw = write("old.380", RawFile());
    ToolRun r = tool({"pre", "upgrade", raw, path("v500.PRE"), "--to", "5.00"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = tool({"pre", "upgrade", path("v500.PRE"), path("v510.PRE"), "--to", "5.10"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = tool({"pre", "upgrade", raw, path("direct.PRE"), "--to", "5.10"});
    ASSERT_EQ(r.status, 0) << r.err;

    EXPECT_NE(Slurp(dir_ / "v500.PRE").substr(0, kImage), RawFile()) << "the 5.00 step changes the image";
    EXPECT_NE(Slurp(dir_ / "v510.PRE").substr(0, kImage), Slurp(dir_ / "v500.PRE").substr(0, kImage));
    // Below 5.00 both steps run, in order.
    EXPECT_EQ(Slurp(dir_ / "direct.PRE"), Slurp(dir_ / "v510.PRE"));
    for (const auto& [file, version] : {std::pair{"v500.PRE", "05.00"}, std::pair{"v510.PRE", "05.10"}}) {
        SCOPED_TRACE(file);
        r = tool({"pre", "info", path(file)});
        EXPECT_EQ(r.status, 0) << r.err;
        std::string origin = kNoOrigin;
        origin.replace(origin.find("00.00"), 5, version);
        EXPECT_EQ(r.out, InfoText(true, origin, StoredChecksum(Slurp(dir_ / file))));
    }
    // The options may come first.
    r = tool({"pre", "upgrade", "--to", "5.10", path("v500.PRE"), path("options.PRE")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Slurp(dir_ / "options.PRE"), Slurp(dir_ / "v510.PRE"));

    // An image at the asked version or later is never upgraded again.
    const std::string preset = write("v530.PRE", PresetFile());
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{path("v510.PRE"), "--to", "5.10"}, path("v510.PRE") + " is already at version 05.10"},
        {{path("v510.PRE"), "--to", "5.00"}, path("v510.PRE") + " is already at version 05.10"},
        {{preset, "--to", "5.00"}, preset + " is already at version 05.30"},
    };
    for (const auto& [args, message] : refused) {
        SCOPED_TRACE(message);
        std::vector<std::string> words = {"pre", "upgrade"};
        words.insert(words.end(), args.begin(), args.end());
        words.push_back(path("refused.PRE"));
        r = tool(words);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "qv-tool: " + message + "\n");
        EXPECT_FALSE(fs::exists(dir_ / "refused.PRE"));
    }
}

TEST_F(PreTool, UsageErrorsExitWith2)
{
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"pre"}, "pre needs info, convert or upgrade"},
        {{"pre", "show", "a.PRE"}, "pre needs info, convert or upgrade"},
        {{"pre", "info"}, "pre info needs FILE"},
        {{"pre", "info", "a.PRE", "b.PRE"}, "pre info needs FILE"},
        {{"pre", "convert", "a.PRE"}, "pre convert needs IN OUT"},
        {{"pre", "convert", "a.PRE", "b.380", "c.380"}, "pre convert needs IN OUT"},
        {{"pre", "upgrade", "a.PRE", "b.PRE"}, "pre upgrade needs IN OUT --to 5.00|5.10"},
        {{"pre", "upgrade", "a.PRE", "b.PRE", "--to", "5.20"}, "pre upgrade needs IN OUT --to 5.00|5.10"},
        {{"pre", "upgrade", "a.PRE", "b.PRE", "--to", "five"}, "pre upgrade needs IN OUT --to 5.00|5.10"},
        {{"pre", "upgrade", "a.PRE", "--to", "5.10"}, "pre upgrade needs IN OUT --to 5.00|5.10"},
        {{"pre", "upgrade", "a.PRE", "b.PRE", "--to"}, "--to needs 5.00 or 5.10"},
        {{"pre", "upgrade", "a.PRE", "b.PRE", "--to", "5.10", "--force"}, "pre upgrade takes IN OUT --to 5.00|5.10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const ToolRun r = tool(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind("qv-tool: " + std::string(c.message) + "\n", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("pre upgrade IN OUT --to V"), std::string::npos) << "the usage follows";
        EXPECT_EQ(r.out, "");
    }
}

} // namespace
