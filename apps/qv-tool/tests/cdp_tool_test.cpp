// The real qv-tool's file commands for packages and CRCs, end to end.
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

class CdpTool : public qvtool::test::ToolFolderTest {};

TEST_F(CdpTool, MakeThenInfoShowsWhatTheManifestSays)
{
    write("block.bin", "ABC");
    const std::string manifest = write("m.txt", "version 0002\n"
                                                "description Test package\n"
                                                "item 0 0x8 $1000 @block.bin Writing software\n"
                                                "item 1 0 0x1C010 $1234 Setting a word\n"
                                                "item 4 0 0 - Done.\\rPress OK.\n");
    const std::string cdp = (dir_ / "out.CDP").string();
    ToolRun make = tool({"cdp", "make", manifest, cdp});
    ASSERT_EQ(make.status, 0) << make.err;

    ToolRun info = tool({"cdp", "info", cdp, "--type", "3"});
    ASSERT_EQ(info.status, 0) << info.err;
    const std::string bytes = Slurp(cdp);
    char crc[9];
    std::snprintf(crc, sizeof crc, "%02X%02X%02X%02X", uint8_t(bytes[271]), uint8_t(bytes[270]), uint8_t(bytes[269]),
                  uint8_t(bytes[268]));
    EXPECT_EQ(info.out, "magic=QVT_\nversion=0002\ndescription=Test package\ncrc=" + std::string(crc) +
                            "\ncount=3\nsize=" + std::to_string(bytes.size()) +
                            "\nprogram=update\ntype=3\nmeant=yes\n"
                            "item=1 offset=308 kind=0 mask=0x00000008 address=0x00001000 size=3 selected=no "
                            "description=Writing software\n"
                            "item=2 offset=583 kind=1 mask=0x00000000 address=0x0001C010 size=0 value=0x1234 "
                            "selected=yes description=Setting a word\n"
                            "item=3 offset=857 kind=4 mask=0x00000000 address=0x00000000 size=0 selected=yes "
                            "description=Done.\\rPress OK.\n");

    // QV-Matrix takes only "0001" packages.
    ToolRun matrix = tool({"cdp", "info", cdp, "--program", "matrix"});
    EXPECT_EQ(matrix.status, 1);
    EXPECT_EQ(matrix.err, "qv-tool: This is not a valid file.\n");

    std::string changed = bytes;
    changed[100] ^= 1;
    ToolRun corrupt = tool({"cdp", "info", write("bad.CDP", changed)});
    EXPECT_EQ(corrupt.status, 1);
    EXPECT_EQ(corrupt.err,
              "qv-tool: CRC Error. The file is corrupted. (CRC: " + std::string(crc) + ") Try to download the file again.\n");
}

TEST_F(CdpTool, Crc32AndUsageErrors)
{
    ToolRun crc = tool({"crc32", write("check.txt", "123456789")});
    EXPECT_EQ(crc.status, 0) << crc.err;
    EXPECT_EQ(crc.out, "CBF43926\n");

    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const Case cases[] = {
        {{"crc32"}, 2},
        {{"crc32", (dir_ / "missing").string()}, 1},
        {{"cdp"}, 2},
        {{"cdp", "info"}, 2},
        {{"cdp", "info", "x.CDP", "--program", "other"}, 2},
        {{"cdp", "info", "x.CDP", "--type", "256"}, 2},
        {{"cdp", "info", (dir_ / "missing").string()}, 1},
        {{"cdp", "make", write("bad.txt", "item 1 0 0 -\n"), (dir_ / "o.CDP").string()}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        ToolRun r = tool(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_FALSE(fs::exists(dir_ / "o.CDP"));
}

} // namespace
