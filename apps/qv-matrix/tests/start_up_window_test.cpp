// QV-Matrix from its start: the command-line switches; against the
// simulated instrument on virtual time.
#include "platform/tests/qt_test_app.h"
#include "program_fixture.h"

#include <QAction>

#include <gtest/gtest.h>

namespace {

using qv::MainField;
using qv::test::Program;

using Options = qv::sim::InstrumentOptions;

// The default instrument with one option changed.
template <typename T>
Options With(T Options::*option, T value)
{
    Options o;
    o.*option = value;
    return o;
}

} // namespace

TEST(StartUp, DownloadModeSwitch)
{
    struct Case {
        const char* name;
        Options options;
        bool ends;
        int exitCode;
        bool downloadMode;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"running software", {}, true, 0, true, {}},
        {"BIOS mode", With(&Options::biosMode, true), true, 1, false,
         {"The RVT on SIM is in BIOS mode, so it cannot be restarted in download mode."}},
        {"no text replies", With(&Options::answersText, false), true, 1, false,
         {"The RVT on SIM does not answer text commands, so it cannot be restarted in download mode."}},
        // Nothing answered: the program starts as usual.
        {"no instrument", With(&Options::noAnswer, true), false, 0, false, {"No instrument found."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p(c.options, {"/DLM"});
        EXPECT_EQ(p.app->start(), !c.ends);
        EXPECT_EQ(p.app->exitCode(), c.exitCode);
        p.idle(20); // the last request reaches the instrument
        EXPECT_EQ(p.instrument.inDownloadMode(), c.downloadMode);
        EXPECT_EQ(p.prompter.texts(), c.messages);
        EXPECT_EQ(p.form().isVisible(), !c.ends);
    }
}

TEST(StartUp, AFailedSwitchLeavesRemoteControlForTheNextIdentify)
{
    for (const char* sw : {"/DLM", "/I"}) {
        SCOPED_TRACE(sw);
        Program p(With(&Options::noAnswer, true), {sw});
        ASSERT_TRUE(p.app->start());
        EXPECT_FALSE(p.form().remoteMenuEnabled());

        p.instrument.options().noAnswer = false;
        p.trigger("mnuRestart");
        EXPECT_EQ(p.form().field(MainField::Connection), "RVT120S");
        EXPECT_TRUE(p.form().remoteMenuEnabled()) << "the text query ran";
        EXPECT_TRUE(p.form().action("mnuConnect")->isEnabled());
        EXPECT_TRUE(p.form().hooks().macroMenuState().run);
    }
}
