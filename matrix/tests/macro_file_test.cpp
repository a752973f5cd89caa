#include "macro_test_files.h"
#include "matrix/macro_file.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

Lines Commands(const qv::MacroFile& macro)
{
    Lines out;
    for (const std::string& line : macro.lines)
        if (qv::IsMacroCommand(line))
            out.push_back(line);
    return out;
}

TEST(MacroFile, NameAndCommandsWhateverTheLineEnds)
{
    struct Case {
        const char* what;
        std::string text;
        std::string name;
        Lines commands;
    };
    const std::string forty(40, 'x');
    const Case cases[] = {
        {"CR LF", "MacroName=Night\r\n.SA7,1\r\n.SA8,2\r\n", "Night", {".SA7,1", ".SA8,2"}},
        {"LF", "MacroName=Night\n.SA7,1\n.SA8,2\n", "Night", {".SA7,1", ".SA8,2"}},
        {"CR", "MacroName=Night\r.SA7,1\r.SA8,2\r", "Night", {".SA7,1", ".SA8,2"}},
        {"mixed, last line unended", "MacroName=Night\n.SA7,1\r\r\n.SA8,2", "Night", {".SA7,1", ".SA8,2"}},
        {"lower-case key", "macroname=Night\r\n.SA7,1\r\n", "Night", {".SA7,1"}},
        {"name cut to 25", "MACRONAME=" + forty + "\r\n", std::string(25, 'x'), {}},
        {"no name line", ".SA7,1\r\n", "Unnamed Macro", {".SA7,1"}},
        {"first name line counts", ".SA7,1\r\nMacroName=One\r\nMacroName=Two\r\n", "One", {".SA7,1"}},
        {"indented lines are neither", " MacroName=Night\r\n .SA7,1\r\n", "Unnamed Macro", {}},
        {"other lines ignored, other commands kept", "; routing\r\n\r\nSA7,1\r\n.SP9,4\r\n.XQ1\r\n", "Unnamed Macro",
         {".SP9,4", ".XQ1"}},
        {"empty file", "", "Unnamed Macro", {}},
    };
    for (const Case& c : cases) {
        const qv::MacroFile macro = qv::ParseMacroText(c.text);
        EXPECT_EQ(macro.name, c.name) << c.what;
        EXPECT_EQ(Commands(macro), c.commands) << c.what;
    }
}

TEST(MacroFile, WrittenAsRecordedAndReadBack)
{
    MacroFolder files;
    std::string error;
    ASSERT_TRUE(qv::SaveMacroFile(files.path("night.MCR"), "Night", {".SA7,1", ".SA8,2"}, error)) << error;
    EXPECT_EQ(files.read("night.MCR"), "MacroName=Night\r\n.SA7,1\r\n.SA8,2\r\n");
    ASSERT_TRUE(qv::SaveMacroFile(files.path("plain.MCR"), "", {".SA7,1"}, error)) << error;
    EXPECT_EQ(files.read("plain.MCR"), ".SA7,1\r\n");

    qv::MacroFile macro;
    ASSERT_TRUE(qv::ReadMacroFile(files.path("night.MCR"), macro));
    EXPECT_EQ(macro.name, "Night");
    EXPECT_EQ(Commands(macro), (Lines{".SA7,1", ".SA8,2"}));
}

TEST(MacroFile, UnreadableFilesAreNotMacros)
{
    MacroFolder files;
    qv::MacroFile macro;
    EXPECT_FALSE(qv::ReadMacroFile(files.path("missing.MCR"), macro));
    EXPECT_FALSE(qv::ReadMacroFile(files.folder.string(), macro)) << "a folder";
    EXPECT_FALSE(qv::ReadMacroFile(files.write("huge.MCR", std::string(qv::kMacroFileLimit + 1, '.')), macro));

    std::string error;
    EXPECT_FALSE(qv::SaveMacroFile(files.path("no/such/folder.MCR"), "", {}, error));
    EXPECT_FALSE(error.empty());
}

} // namespace
