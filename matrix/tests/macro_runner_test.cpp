#include "dot_recorder.h"
#include "link/tests/sim_fixture.h"
#include "macro_test_files.h"
#include "matrix/dot_receiver.h"
#include "matrix/grid_model.h"
#include "matrix/macro_runner.h"
#include "matrix/macro_view.h"
#include "sim/front_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using Lines = std::vector<std::string>;
using Result = qv::MacroRunner::Result;

struct RecordingMacroView : qv::MacroView {
    Lines events;
    void macroStatus(const std::string& text) override { events.push_back("status " + text); }
    void showMacroWindow(const std::string& name) override { events.push_back("window " + name); }
    void macroProgress(const std::string& line) override { events.push_back("progress " + line); }
    void hideMacroWindow() override { events.push_back("hidden"); }
};

// Remote control's side, with a look at the moment an update notice arrives.
struct RemoteRecorder : DotRecorder {
    std::function<void()> onUpdateNotice;
    void updateNotice() override
    {
        DotRecorder::updateNotice();
        if (onUpdateNotice)
            onUpdateNotice();
    }
};

// The runner under remote control of the simulated instrument on virtual time.
struct MacroBench {
    explicit MacroBench(qv::sim::InstrumentOptions options = {}) : b(options) {}

    MatrixSimBench b;
    qv::DotReceiver receiver{b.channel};
    qv::GridModel grid;
    RemoteRecorder handler;
    RecordingMacroView view;
    bool connected = true;
    qv::MacroRunner runner{grid, handler, view, [this] { return connected; }};
    qv::sim::FrontPanel panel{b.sim.instrument, b.sim.clock};
    MacroFolder files;

    Result play(const std::string& text) { return runner.run(receiver, files.write("test.MCR", text)); }
    // What has reached the instrument; the line delivers bytes when next looked at.
    const Lines& sent()
    {
        b.sim.port.inputCount();
        return b.sim.instrument.textLines();
    }
    int64_t nowMs() const { return b.sim.clock.nowMs(); }
    // Something that happens while the runner keeps the interface alive.
    void whilePlaying(std::function<void()> action) { b.sim.pump.add(std::move(action)); }
};

// A line goes out up to 11 times, each followed by up to 201 polls of 5 ms.
constexpr int kAttempts = 11;
constexpr int64_t kPollMs = 5;
constexpr int64_t kAttemptMs = 201 * kPollMs;

TEST(MacroRunner, AnswersOfEveryClassAcknowledgeTheLine)
{
    MacroBench m;
    // .SA63,1 is refused and .XQ1,2 unknown; each still counts as an answer.
    const Result result = m.play("MacroName=Studio\r\n; a remark\r\n.SA5,3\r\n.SA63,1\r\n.XQ1,2\r\n");

    EXPECT_EQ(result, Result::Finished);
    EXPECT_EQ(m.sent(), (Lines{".SA5,3", ".SA63,1", ".XQ1,2"})) << "one send each";
    EXPECT_EQ(m.handler.events, (Lines{"AA 5,3 local", "shown .AA5,3", "shown .FA63,1", "shown .NQ1,2"}))
        << "the refusal flashes nothing";
    EXPECT_EQ(m.view.events, (Lines{"status Macro Started... [Studio]", "window Studio", "progress Executing: .AA5,3",
                                    "progress Executing: .FA63,1", "progress Executing: .NQ1,2",
                                    "status Macro finished...", "hidden"}));
    EXPECT_FALSE(m.runner.running());
    EXPECT_FALSE(m.receiver.waiting());
    EXPECT_LT(m.nowMs(), kAttemptMs) << "no line waited for long";
}

TEST(MacroRunner, UnansweredLineIsSentElevenTimesThenTheNextFollows)
{
    qv::sim::InstrumentOptions silent;
    silent.answersText = false;
    MacroBench m(silent);

    EXPECT_EQ(m.play(".SA5,3\r\n.SA6,4\r\n"), Result::Finished);

    Lines expected(kAttempts, ".SA5,3");
    expected.insert(expected.end(), kAttempts, ".SA6,4");
    EXPECT_EQ(m.sent(), expected);
    EXPECT_GE(m.nowMs(), 2 * kAttempts * kAttemptMs) << "every attempt waited in full";
    EXPECT_LT(m.nowMs(), 2 * kAttempts * (kAttemptMs + 3 * kPollMs));
    EXPECT_EQ(m.view.events.back(), "hidden");
    EXPECT_EQ(m.view.events[m.view.events.size() - 2], "status Macro finished...");
}

TEST(MacroRunner, StopEndsTheMacroWithinOnePoll)
{
    struct Case {
        const char* when;
        std::function<bool(MacroBench&)> now;
        Lines sent;
    };
    const Case cases[] = {
        {"during the second line's wait", [](MacroBench& m) { return m.sent().size() == 2; }, {".SA5,3", ".SA6,4"}},
        // The pause before a line keeps the interface alive too.
        {"before the second line goes out",
         [](MacroBench& m) { return m.sent().size() == 1 && !m.handler.events.empty(); },
         {".SA5,3"}},
    };
    for (const Case& c : cases) {
        MacroBench m;
        int64_t stoppedAt = -1;
        Result nested = Result::Finished;
        m.whilePlaying([&] {
            if (stoppedAt < 0 && c.now(m)) {
                // Ctrl+F12; a hotkey for another macro meanwhile is refused.
                m.runner.requestStop();
                stoppedAt = m.nowMs();
                nested = m.runner.run(m.receiver, m.files.path("test.MCR"));
            }
        });

        EXPECT_EQ(m.play(".SA5,3\r\n.SA6,4\r\n.SA7,5\r\n.SA8,6\r\n"), Result::Stopped) << c.when;

        EXPECT_EQ(nested, Result::Busy) << c.when;
        EXPECT_EQ(m.sent(), c.sent) << c.when;
        EXPECT_LE(m.nowMs() - stoppedAt, kPollMs) << c.when;
        EXPECT_EQ(m.view.events.end()[-2], "status Macro stopped by user...") << c.when;
        EXPECT_FALSE(m.runner.running()) << c.when;
        EXPECT_FALSE(m.runner.stopRequested()) << c.when;
    }
}

TEST(MacroRunner, StoppedLineStillShowsWhatTheInstrumentDid)
{
    MacroBench m;
    m.whilePlaying([&] {
        if (m.receiver.collected().find(".AA6,4") != std::string::npos)
            m.runner.requestStop(); // in the same poll as the acknowledgement
    });

    EXPECT_EQ(m.play(".SA5,3\r\n.SA6,4\r\n.SA7,5\r\n"), Result::Stopped);
    EXPECT_EQ(m.sent(), (Lines{".SA5,3", ".SA6,4"}));
    EXPECT_EQ(m.handler.events, (Lines{"AA 5,3 local", "shown .AA5,3", "AA 6,4 local", "shown .AA6,4"}));
}

TEST(MacroRunner, UpdateNoticeFromTheFrontPanelStopsTheMacro)
{
    MacroBench m;
    bool routed = false;
    m.whilePlaying([&] {
        if (m.sent().size() == 1 && !routed)
            routed = m.panel.route(7, 3);
    });
    size_t sentAtNotice = 0;
    m.handler.onUpdateNotice = [&] { sentAtNotice = m.sent().size(); };

    EXPECT_EQ(m.play(".SA5,3\r\n.SA6,4\r\n.SA8,2\r\n.SA9,2\r\n"), Result::Stopped);

    ASSERT_TRUE(routed);
    ASSERT_GT(sentAtNotice, 0u) << "the notice reached remote control";
    EXPECT_EQ(m.sent().size(), sentAtNotice) << "nothing is sent after the notice";
    EXPECT_NE(std::find(m.handler.events.begin(), m.handler.events.end(), "AA 7,3 local"), m.handler.events.end());
    EXPECT_EQ(m.view.events.end()[-2], "status Macro stopped by user...");
}

TEST(MacroRunner, LinesForLockedOutputsAreNotSent)
{
    MacroBench m;
    m.grid.setCell(2, 4, m.grid.settings().lockedXpoint); // output 5, routed from input 3, locked

    EXPECT_EQ(m.play(".SA5,1\r\n.SA6,1\r\n.SA05,2\r\n.SP9,2\r\n"), Result::Finished);
    EXPECT_EQ(m.sent(), (Lines{".SA6,1", ".SP9,2"}));

    struct Case {
        const char* line;
        bool locked;
    };
    const Case cases[] = {{".SA5,1", true},  {".SA5,", true},     {".SA5", false},   {".SA,5", false},
                          {".SAx,1", false}, {".SA-5,1", false},  {".SG5,1", false}, {".SA6,1", false},
                          {".sa5,1", false}, {".SA99999999999,1", false}};
    for (const Case& c : cases)
        EXPECT_EQ(qv::MacroLineLocked(c.line, m.grid), c.locked) << c.line;
}

TEST(MacroRunner, LostConnectionLetsTheMacroRunToItsEndAtOnce)
{
    qv::sim::InstrumentOptions silent;
    silent.answersText = false;
    MacroBench m(silent);
    m.whilePlaying([&] {
        if (!m.sent().empty())
            m.connected = false; // remote control ended during the first line's wait
    });

    EXPECT_EQ(m.play(".SA5,3\r\n.SA6,4\r\n.SA7,5\r\n"), Result::Finished);

    EXPECT_EQ(m.sent(), (Lines{".SA5,3", ".SA6,4", ".SA7,5"}));
    EXPECT_LT(m.nowMs(), kAttemptMs);
    EXPECT_EQ(m.view.events.end()[-2], "status Macro finished...");
}

TEST(MacroRunner, UnreadableFileIsReported)
{
    MacroBench m;
    EXPECT_EQ(m.runner.run(m.receiver, m.files.path("missing.MCR")), Result::NotAccessible);
    EXPECT_EQ(m.b.sim.prompter.texts(), Lines{"The macro could not be accessed."});
    EXPECT_EQ(m.b.sim.prompter.shown()[0].kind, qv::MessageKind::Error);
    EXPECT_TRUE(m.view.events.empty());
    EXPECT_FALSE(m.runner.running());
    EXPECT_TRUE(m.sent().empty());
}

} // namespace
