#include "macro_test_files.h"
#include "matrix/macro_menu.h"
#include "platform/host/scripted_prompter.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;
using Files = std::array<std::string, qv::kMacroMenuItems>;

// The menu with its settings, remote control and runner written down.
struct MenuBench {
    MacroFolder files;
    qv::ScriptedPrompter prompter;
    bool connected = false;
    bool connects = true;
    Lines calls;
    qv::MacroMenu menu{prompter, hooks()};

    qv::MacroMenuHooks hooks()
    {
        qv::MacroMenuHooks h;
        h.remoteConnected = [this] { return connected; };
        h.connectRemote = [this] {
            calls.push_back("connect");
            return connects;
        };
        h.run = [this](const std::string& path) { calls.push_back("run " + path); };
        h.setPending = [this](const std::string& path) { calls.push_back("pending " + path); };
        h.storeFile = [this](int item, const std::string& file) {
            calls.push_back(qv::MacroItemKey(item) + "=" + file);
            return true;
        };
        return h;
    }
    // Item 1 assigned to night.MCR.
    std::string assignNight()
    {
        const std::string night = files.write("night.MCR", "MacroName=Night\r\n.SA7,1\r\n");
        Files assigned;
        assigned[0] = night;
        menu.load(assigned);
        return night;
    }
};

TEST(MacroMenu, SettingKeysAndEntryStates)
{
    const Lines keys = {"File#1", "File#2", "File#3", "File#4", "File#5",
                        "File#6", "File#7", "File#8", "File#9", "File#0"};
    for (int item = 1; item <= qv::kMacroMenuItems; ++item)
        EXPECT_EQ(qv::MacroItemKey(item), keys[size_t(item - 1)]);

    struct Case {
        bool busy, remoteMenu, outputSelected;
        bool items, run, stop, save;
    };
    const Case cases[] = {
        {true, true, true, false, false, true, false},   // running or pending
        {false, true, false, true, true, false, false},  // connectable, nothing selected
        {false, false, true, false, false, false, true}, // no instrument, an output selected
    };
    for (const Case& c : cases) {
        const qv::MacroMenuState s = qv::MacroMenuStateFor(c.busy, c.remoteMenu, c.outputSelected);
        EXPECT_EQ(s.items, c.items);
        EXPECT_EQ(s.run, c.run);
        EXPECT_EQ(s.stop, c.stop);
        EXPECT_EQ(s.save, c.save);
    }
}

TEST(MacroMenu, CaptionsNameTheAssignedFiles)
{
    MenuBench m;
    Files assigned;
    assigned[0] = m.files.write("a.MCR", "MacroName=Morning\r\n");
    assigned[1] = m.files.write("b.MCR", ".SA1,1\r\n");
    assigned[2] = m.files.path("missing.MCR");
    m.menu.load(assigned);

    EXPECT_EQ(m.menu.caption(1), "Morning");
    EXPECT_EQ(m.menu.caption(2), "Unnamed Macro");
    EXPECT_EQ(m.menu.caption(3), "<Unassigned>");
    EXPECT_EQ(m.menu.caption(10), "<Unassigned>");
    EXPECT_FALSE(m.menu.unassigned(1));
    EXPECT_TRUE(m.menu.unassigned(3));
}

TEST(MacroMenu, ShiftAssignsAndDeleteUnassigns)
{
    MenuBench m;
    const std::string night = m.assignNight();
    std::vector<int> changed;
    m.menu.captionChanged = [&](int item) { changed.push_back(item); };
    const std::string evening = m.files.write("evening.MCR", "macroname=Evening\r\n");

    // Shift on item 10: the question, the open dialog, the File#0 key.
    m.prompter.queueAnswer(qv::Answer::Yes);
    m.prompter.queueText(evening);
    m.menu.choose(10, {.shift = true});
    EXPECT_EQ(m.prompter.texts(), (Lines{"Do you wish to assign a new macro to this item?", "Open Macro"}));
    EXPECT_EQ(m.calls, Lines{"File#0=" + evening});
    EXPECT_EQ(m.menu.caption(10), "Evening");
    EXPECT_EQ(m.menu.file(10), evening);

    // Shift and No, Delete and No: nothing changes.
    m.calls.clear();
    m.prompter.queueAnswer(qv::Answer::No);
    m.menu.choose(1, {.shift = true});
    m.prompter.queueAnswer(qv::Answer::No);
    m.menu.choose(1, {.deleteHeld = true});
    EXPECT_TRUE(m.calls.empty());
    EXPECT_EQ(m.menu.file(1), night);

    // Delete and Yes.
    m.prompter.clearShown();
    m.prompter.queueAnswer(qv::Answer::Yes);
    m.menu.choose(1, {.deleteHeld = true});
    EXPECT_EQ(m.prompter.texts(), Lines{"Do you wish to unassign the macro from this item?"});
    EXPECT_EQ(m.calls, Lines{"File#1="});
    EXPECT_EQ(m.menu.caption(1), "<Unassigned>");
    EXPECT_TRUE(m.menu.file(1).empty());
    EXPECT_EQ(changed, (std::vector<int>{10, 1}));
}

TEST(MacroMenu, ChoosingAnItemRunsConnectsOrAssigns)
{
    struct Case {
        const char* what;
        bool assigned, connected;
        std::vector<qv::Answer> answers;
        bool connects;
        Lines texts;
        Lines calls; // "NIGHT" stands for the assigned file
    };
    const std::string connect = "The RVT is not connected, do you wish to connect?";
    const Case cases[] = {
        {"connected: runs at once", true, true, {}, true, {}, {"run NIGHT"}},
        {"connects, runs after the crosspoint read", true, false, {qv::Answer::Yes}, true, {connect},
         {"connect", "pending NIGHT"}},
        {"connection fails", true, false, {qv::Answer::Yes}, false, {connect}, {"connect"}},
        {"does not connect", true, false, {qv::Answer::No}, true, {connect}, {}},
        {"unassigned: offers to assign", false, true, {qv::Answer::No}, true,
         {"Do you wish to assign a new macro to this item?"}, {}},
    };
    for (const Case& c : cases) {
        MenuBench m;
        const std::string night = c.assigned ? m.assignNight() : std::string();
        m.connected = c.connected;
        m.connects = c.connects;
        for (qv::Answer a : c.answers)
            m.prompter.queueAnswer(a);
        m.menu.choose(1, {});
        EXPECT_EQ(m.prompter.texts(), c.texts) << c.what;
        Lines expected;
        for (std::string call : c.calls) {
            if (const size_t at = call.find("NIGHT"); at != std::string::npos)
                call.replace(at, 5, night);
            expected.push_back(call);
        }
        EXPECT_EQ(m.calls, expected) << c.what;
    }
}

TEST(MacroMenu, RunMacroAsksForTheFile)
{
    struct Case {
        const char* what;
        bool connected;
        std::vector<qv::Answer> answers;
        std::optional<std::string> chosen;
        Lines calls;
    };
    const Case cases[] = {
        {"connected", true, {}, "x.MCR", {"run x.MCR"}},
        {"dialog cancelled", true, {}, std::nullopt, {}},
        // Right after connecting the crosspoint read is still to come.
        {"connects first", false, {qv::Answer::Yes}, "x.MCR", {"connect", "pending x.MCR"}},
        {"does not connect", false, {qv::Answer::No}, "x.MCR", {}},
    };
    for (const Case& c : cases) {
        MenuBench m;
        m.connected = c.connected;
        for (qv::Answer a : c.answers)
            m.prompter.queueAnswer(a);
        m.prompter.queueText(c.chosen);
        m.menu.runChosen();
        EXPECT_EQ(m.calls, c.calls) << c.what;
    }
}

} // namespace
