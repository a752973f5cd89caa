#include "dot_recorder.h"
#include "link/tests/fake_port.h"
#include "matrix/dot_parser.h"
#include "matrix/dot_receiver.h"
#include "platform/host/clock.h"
#include "platform/host/event_pump.h"
#include "platform/host/scripted_prompter.h"

#include <gtest/gtest.h>

namespace {

using Events = std::vector<std::string>;

constexpr qv::DotParseState kLocal{};
constexpr qv::DotParseState kRemote{true, false};
constexpr qv::DotParseState kMacroStopping{true, true};

// Received pieces go through the channel and the receiver (outside waiting
// mode) into the parser, as they do while remote control runs.
struct ParserBench {
    qv::VirtualClock clock;
    qv::CallbackEventPump pump;
    qv::ScriptedPrompter prompter;
    FakePort port;
    qv::MatrixChannel channel{port, {clock, pump, prompter}};
    qv::DotReceiver receiver{channel};
    DotRecorder recorder;

    explicit ParserBench(const qv::DotParseState& state)
    {
        channel.init().selectPort("ttyS0");
        channel.OpenPort();
        receiver.parseLine = [this, state](const std::string& line) { qv::ParseDotText(line, state, recorder); };
    }
};

struct Case {
    const char* name;
    std::vector<std::string> received;
    qv::DotParseState state;
    Events expected;
};

TEST(DotParser, ReceivedTextAndItsEffects)
{
    const Case cases[] = {
        {"remote crosspoint", {".AA5,12*\r\n"}, kRemote, {"AA 5,12 remote", "shown .AA5,12"}},
        {"local crosspoint", {".AA5,12\r\n"}, kRemote, {"AA 5,12 local", "shown .AA5,12"}},
        {"two reports in one line",
         {".AA1,3*.AA2,4*\r\n"},
         kRemote,
         {"AA 1,3 remote", "shown .AA1,3", "AA 2,4 remote", "shown .AA2,4"}},
        {"each report by its own asterisk",
         {".AA1,3.AA2,4*\r\n"},
         kRemote,
         {"AA 1,3 local", "shown .AA1,3", "AA 2,4 remote", "shown AA2,4"}},
        {"lines that arrive together",
         {".AA1,2\r\n.AA7,3\r\n.U\r\n"},
         kRemote,
         {"AA 1,2 local", "shown .AA1,2", "AA 7,3 local", "shown .AA7,3", "update notice",
          "log Update: -----------------", "shown .U"}},
        {"split read", {".AA5,", "12*\r", "\n"}, kRemote, {"AA 5,12 remote", "shown .AA5,12"}},
        {"partial line is never parsed", {".AA5,1"}, kRemote, {}},
        {"line cut short", {".AA12\r\n"}, kRemote, {}},
        {"garbage", {"xyz\r\n"}, kRemote, {}},
        {"garbage with message letters", {"GARBAGE\x01\xff\r\n"}, kRemote, {}},
        {"invalid characters before a report",
         {"xy.AA1,2\r\n"},
         kRemote,
         {"AA 1,2 local", "log Invalid Chr. Detected.", "shown xy.AA1,2"}},
        {"short remainder after invalid characters is dropped",
         {"x.AA1,2*.U\r\n"},
         kRemote,
         {"AA 1,2 remote", "log Invalid Chr. Detected.", "shown x.AA1,2"}},
        {"a longer remainder is parsed",
         {"x.AA1,2*.AA3,4\r\n"},
         kRemote,
         {"AA 1,2 remote", "log Invalid Chr. Detected.", "shown x.AA1,2", "AA 3,4 local", "shown .AA3,4"}},
        {"refusal", {".FA7,3\r\n"}, kRemote, {"refused 7,3", "shown .FA7,3"}},
        {"a bad number ends the parse", {".AA1,2*.AAx,3.AA4,5\r\n"}, kRemote, {"AA 1,2 remote", "shown .AA1,2"}},
        {"numbers beyond int change nothing", {".AA99999999999,1\r\n"}, kRemote, {"shown .AA99999999999,1"}},
        {"update notice discards the rest",
         {".U.AA1,2*\r\n"},
         kLocal,
         {"update notice", "log Update: -----------------", "shown .U"}},
        {"power-up notice while connected",
         {".P\r\n"},
         kRemote,
         {"power-up notice", "log Powerup: -----------------", "shown .P"}},
        {"power-up notice outside remote control", {".P.AA1,2\r\n"}, kLocal, {}},
        {"preset report", {".AP9,4\r\n"}, kRemote, {"preset 4", "shown .AP9,4"}},
        {"preset report outside remote control", {".AP9,4\r\n"}, kLocal, {"shown .AP9,4"}},
        {"preset the drop-down does not hold", {".AP9,12\r\n"}, kRemote, {"shown .AP9,12"}},
        {"other parameter", {".AP15,20.\r\n"}, kRemote, {"shown .AP15,20"}},
        {"identity report", {".AI7,1328\r\n"}, kLocal, {"AI 7=1328", "shown .AI7,1328"}},
        {"macro acknowledgement class N", {".NA5,3\r\n"}, kRemote, {"shown .NA5,3"}},
        {"stopping macro: first message only",
         {".AA1,2*.AA3,4*\r\n"},
         kMacroStopping,
         {"AA 1,2 remote", "shown .AA1,2"}},
    };
    for (const Case& c : cases) {
        ParserBench bench(c.state);
        for (const std::string& piece : c.received)
            bench.port.receive(piece);
        EXPECT_EQ(bench.recorder.events, c.expected) << c.name;
    }
}

TEST(DotParser, EveryCutOfAReplyIsSafe)
{
    const std::string text = "x\x01.AA1,2*.FA7,3.AP9,4.AI7,1328.AG3,-35.NA5,3*.U";
    for (size_t n = 0; n <= text.size(); ++n) {
        DotRecorder recorder;
        qv::ParseDotText(text.substr(0, n), kRemote, recorder);
        qv::ParseDotText(text.substr(n), kRemote, recorder);
    }
}

TEST(DotParser, MacroAcknowledgements)
{
    struct {
        const char* collected;
        const char* line;
        bool acknowledged;
    } cases[] = {
        {".AA5,3", ".SA5,3", true},
        {".FA5,3", ".SA5,3", true},
        {"x.NA5,3y", ".SA5,3", true},
        {".AA5,31*", ".SA5,3", false},
        {".AA5,31*.AA5,3*", ".SA5,3", true},
        {".AA5,4", ".SA5,3", false},
        {".AP1,3", ".SP1,3", true},
        {"", ".SA5,3", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qv::DotAcknowledges(c.collected, c.line), c.acknowledged) << c.collected << " / " << c.line;
}

} // namespace
