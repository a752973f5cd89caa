#include "macro_test_files.h"
#include "matrix/grid_model.h"
#include "matrix/label_selection.h"
#include "matrix/macro_recording.h"
#include "platform/host/scripted_prompter.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

struct Icon {
    int input;
    int icon;
};

struct RecordingBench {
    qv::GridModel grid;
    qv::LabelSelection selection;
    const qv::GridSettings& icons = grid.settings();

    void route(int output, std::initializer_list<Icon> cells, bool selected = true)
    {
        for (const Icon& c : cells)
            grid.setCell(c.input - 1, output - 1, c.icon);
        selection.set(qv::Channel{qv::Channel::Output, output}, selected);
    }
};

TEST(MacroRecording, SourceFromLocalThenRemoteThenOfflineIcons)
{
    RecordingBench r;
    const qv::GridSettings& s = r.icons;
    r.route(7, {{1, s.localXpoint}});                                      // the plain case
    r.route(2, {{1, s.remoteXpoint}, {5, s.localXpoint}});                 // local before remote
    r.route(3, {{3, s.xpointFromFile}, {9, s.remoteXpoint}});              // remote before offline
    r.route(4, {{12, s.xpointFromFile}});                                  // an offline image
    r.route(5, {{2, s.lockedXpoint}});                                     // a locked source is none
    r.route(6, {{4, s.illegalXpointGreyed}});                              // nothing routed
    r.route(8, {{6, s.localXpoint}}, false);                               // not selected
    r.route(96, {{88, s.localXpoint}});                                    // the last shown channels
    r.route(1, {});                                                        // selected, empty

    EXPECT_EQ(qv::RecordMacroLines(r.grid, r.selection),
              (Lines{".SA2,5", ".SA3,9", ".SA4,12", ".SA7,1", ".SA96,88"}));
}

TEST(MacroRecording, SaveNameGetsTheExtension)
{
    const std::pair<const char*, const char*> cases[] = {
        {"night", "night.MCR"},     {"night.MCR", "night.MCR"},           {"night.mcr", "night.mcr"},
        {"night.Mcr", "night.Mcr"}, {"night.mcr.txt", "night.mcr.txt.MCR"}, {"/a.mcr/b", "/a.mcr/b.MCR"},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(qv::MacroSaveName(typed), expected) << typed;
}

TEST(MacroRecording, SaveWritesReplacesOrKeepsTheFile)
{
    const std::string replaceQuestion = "allready exists.\r\rDo you wish to replace it?";
    struct Case {
        const char* what;
        std::string name;
        bool existing;
        std::optional<qv::Answer> answer; // to the replace question
        bool saved;
        std::string content;
    };
    const Case cases[] = {
        {"named", "Night", false, std::nullopt, true, "MacroName=Night\r\n.SA7,1\r\n"},
        {"no name entered", "", false, std::nullopt, true, ".SA7,1\r\n"},
        {"replaced", "Night", true, qv::Answer::Yes, true, "MacroName=Night\r\n.SA7,1\r\n"},
        {"kept", "Night", true, qv::Answer::No, false, "old"},
    };
    for (const Case& c : cases) {
        MacroFolder files;
        RecordingBench r;
        r.route(7, {{1, r.icons.localXpoint}});
        qv::ScriptedPrompter prompter;
        if (c.existing)
            files.write("night.MCR", "old");
        prompter.queueText(files.path("night"));
        if (c.answer)
            prompter.queueAnswer(*c.answer);

        EXPECT_EQ(qv::SaveMacro(c.name, r.grid, r.selection, prompter), c.saved) << c.what;
        EXPECT_EQ(files.read("night.MCR"), c.content) << c.what;
        const std::vector<std::string> shown = prompter.texts();
        ASSERT_EQ(shown.size(), c.existing ? 2u : 1u) << c.what;
        EXPECT_EQ(shown[0], "Save Macro");
        if (c.existing) {
            EXPECT_EQ(shown[1], "The file " + files.path("night.MCR") + " " + replaceQuestion);
        }
    }
}

TEST(MacroRecording, CancelledOrFailedSaveWritesNothing)
{
    MacroFolder files;
    RecordingBench r;
    r.route(7, {{1, r.icons.localXpoint}});
    qv::ScriptedPrompter prompter;
    EXPECT_FALSE(qv::SaveMacro("Night", r.grid, r.selection, prompter)) << "save dialog cancelled";
    EXPECT_TRUE(std::filesystem::is_empty(files.folder));

    const std::string target = files.path("gone/night.MCR");
    prompter.clearShown();
    prompter.queueText(target);
    EXPECT_FALSE(qv::SaveMacro("Night", r.grid, r.selection, prompter));
    ASSERT_EQ(prompter.shown().size(), 2u);
    EXPECT_EQ(prompter.shown()[1].kind, qv::MessageKind::Error);
    EXPECT_EQ(prompter.shown()[1].text.rfind("Cannot create file \"" + target + "\". ", 0), 0u)
        << prompter.shown()[1].text;
}

} // namespace
