// The real qv-tool's xsvf and hex commands on files laid out byte by byte.
#include "tool_run.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using qvtool::test::ToolRun;

class FirmwareTool : public qvtool::test::ToolFolderTest {};

// XREPEAT 0, XSTATE Run-Test/Idle, XSIR 8 bits 0xC9, XSDRSIZE 12, XSDRTDO, XCOMPLETE.
const std::string kProbe("\x07\x00\x12\x01\x02\x08\xC9\x08\x00\x00\x00\x0C\x09\x00\x00\x0A\xBC\x00", 18);

TEST_F(FirmwareTool, XsvfInfoListsTheInstructions)
{
    auto r = tool({"xsvf", "info", write("probe.xsvf", kProbe + "\xFF\xFF")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "0\tXREPEAT 0\n"
                     "2\tXSTATE 1 Run-Test/Idle\n"
                     "4\tXSIR 8 C9\n"
                     "7\tXSDRSIZE 12\n"
                     "12\tXSDRTDO 0000 0ABC\n"
                     "17\tXCOMPLETE\n"
                     "2 bytes after XCOMPLETE\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(FirmwareTool, XsvfInfoFailsOnBadImages)
{
    const struct {
        const char* what;
        std::string bytes;
        const char* lastLine; // of the listing before the error
        const char* error;
    } cases[] = {
        {"truncated", kProbe.substr(0, 14), "7\tXSDRSIZE 12\n", "length runs 3 bytes past the end"},
        {"no XCOMPLETE", kProbe.substr(0, 17), "12\tXSDRTDO 0000 0ABC\n",
         "truncated: the stream ends at byte 17 without XCOMPLETE"},
        {"unknown instruction", kProbe.substr(0, 4) + "\x42", "2\tXSTATE 1 Run-Test/Idle\n",
         "unknown instruction 0x42 at byte 4"},
        {"cut inside a number", kProbe.substr(0, 9), "4\tXSIR 8 C9\n", "truncated inside XSDRSIZE at byte 7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = write("bad.xsvf", c.bytes);
        auto r = tool({"xsvf", "info", path});
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.out.ends_with(c.lastLine)) << r.out;
        EXPECT_TRUE(r.err.starts_with("qv-tool: " + path + ": ")) << r.err;
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
    }
    EXPECT_EQ(tool({"xsvf", "info", (dir_ / "missing.xsvf").string()}).status, 1);
    EXPECT_EQ(tool({"xsvf", "info"}).status, 2);
    EXPECT_EQ(tool({"xsvf", "play", write("p.xsvf", kProbe)}).status, 2);
}

TEST_F(FirmwareTool, HexInfo)
{
    auto r = tool({"hex", "info", write("fw.hex", ":020000040001F9\r\n"
                                                  ":0300300002337A1E\r\n"
                                                  ":020000021200EA\r\n"
                                                  ":0300000002337A4E\r\n"
                                                  ":00000001FF\r\n")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "records=5\ndata=6\nrange=0x00010030-0x00012002\nend-of-file=yes\n");

    r = tool({"hex", "info", write("bad.hex", ":0300300002337A1E\n"
                                              "\n"
                                              ":0300330002337A1E\n"
                                              "not hex\n"
                                              ":0400360002337A1E\n")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "records=1\ndata=3\nrange=0x00000030-0x00000032\nend-of-file=no\n"
                     "line 3: bad record checksum\n"
                     "line 4: a line that is not a record\n"
                     "line 5: bad length\n");
    EXPECT_EQ(r.err, "qv-tool: " + (dir_ / "bad.hex").string() + ": 3 bad lines\n");

    r = tool({"hex", "info", write("empty.hex", "")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "records=0\ndata=0\nrange=none\nend-of-file=no\n");
    EXPECT_EQ(tool({"hex", "info", (dir_ / "missing.hex").string()}).status, 1);
    EXPECT_EQ(tool({"hex"}).status, 2);
}

TEST_F(FirmwareTool, HelpNamesTheCommands)
{
    const auto r = tool({"--help"});
    EXPECT_NE(r.out.find("xsvf info FILE"), std::string::npos);
    EXPECT_NE(r.out.find("hex info FILE"), std::string::npos);
}

} // namespace
