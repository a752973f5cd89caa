#include "sim/dot_command.h"
#include "sim/identity_items.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

namespace qv::sim::test {
namespace {

struct ParseCase {
    const char* line;
    bool valid;
    char operation;
    const char* object;
    std::vector<std::string> arguments;
    bool remote;
};

TEST(DotCommandParser, SplitsOperationObjectAndArguments)
{
    const ParseCase cases[] = {
        {".LI1,-", true, 'L', "I", {"1", "-"}, false},
        {".SA5,12*", true, 'S', "A", {"5", "12"}, true},
        {".Sm100,200", true, 'S', "m", {"100", "200"}, false},
        {".SP15,22", true, 'S', "P", {"15", "22"}, false},
        {".LP9,-", true, 'L', "P", {"9", "-"}, false},
        {".", false, 0, "", {}, false},
        {".1,2", false, 0, "", {}, false},
        {"LI1,-", false, 0, "", {}, false},
    };
    for (const auto& c : cases) {
        const auto command = parseDotCommand(c.line);
        ASSERT_EQ(command.has_value(), c.valid) << c.line;
        if (!command)
            continue;
        EXPECT_EQ(command->operation, c.operation) << c.line;
        EXPECT_EQ(command->object, c.object) << c.line;
        EXPECT_EQ(command->arguments, c.arguments) << c.line;
        EXPECT_EQ(command->remote, c.remote) << c.line;
    }
}

TEST(IdentityItems, RepliesListTheExistingItemsOfTen)
{
    InstrumentOptions options;
    options.serial = 65535;
    options.softwareVersion = 0x0412;
    options.firmwareVersion = 7;
    options.hardwareId = 2;
    options.biosVersion = 201;
    options.extendedBiosId = 4;
    options.inputChannels = 16;
    options.outputChannels = 24;
    options.inputModules = {0x22, 0x11, 0x00, 0x05};
    options.outputModules = {0x11, 0x10, 0x00, 0xFF};

    EXPECT_EQ(identityReply(1, options), ".AI1,65535\r\n.AI3,7\r\n.AI4,2\r\n.AI5,201\r\n.AI6,4\r\n"
                                         ".AI7,1042\r\n.AI8,16\r\n.AI9,24\r\n.AI10,34\r\n");
    EXPECT_EQ(identityReply(11, options), ".AI11,17\r\n.AI12,0\r\n.AI13,5\r\n"
                                          ".AI14,17\r\n.AI15,16\r\n.AI16,0\r\n.AI17,255\r\n");
    EXPECT_EQ(identityReply(21, options), "");
}

struct TextCase {
    const char* name;
    InstrumentOptions options;
    std::string sent;
    bool answered;
    std::vector<std::string> recorded;
};

InstrumentOptions withText(bool answersText, bool biosMode = false)
{
    InstrumentOptions o;
    o.answersText = answersText;
    o.biosMode = biosMode;
    return o;
}

TEST(InstrumentText, WhenTextIsAnswered)
{
    const TextCase cases[] = {
        {"identity query", {}, "\r.LI1,-\r", true, {".LI1,-"}},
        {"line feeds are ignored", {}, "\r\n.LI1,-\r\n", true, {".LI1,-"}},
        {"no items from 21", {}, "\r.LI21,-\r", false, {".LI21,-"}},
        {"taken silently", {}, "\r.SP15,22\r.Sm1,2\r\n", false, {".SP15,22", ".Sm1,2"}},
        {"not a DOT line", {}, "0\rLI1,-\r\r", false, {}},
        {"older software", withText(false), "\r.LI1,-\r", false, {".LI1,-"}},
        {"BIOS mode", withText(true, true), "\r.LI1,-\r", false, {".LI1,-"}},
        {"unterminated", {}, ".LI1,-", false, {}},
    };
    for (const auto& c : cases) {
        InstrumentDriver d(c.options);
        const Bytes reply = d.send(c.sent);
        EXPECT_EQ(!reply.empty(), c.answered) << c.name;
        EXPECT_EQ(d.instrument.textLines(), c.recorded) << c.name;
    }
}

TEST(InstrumentText, IdentityReplyCarriesTheOptions)
{
    InstrumentDriver d;
    EXPECT_EQ(d.send("\r.LI11,-\r"), textBytes(identityReply(11, d.instrument.options())));
    const Bytes reply = d.send("\r.LI1,-\r");
    EXPECT_EQ(std::string(reply.begin(), reply.begin() + 12), ".AI1,12345\r\n");
}

TEST(InstrumentText, AWakeUpDiscardsAPartLine)
{
    InstrumentDriver d;
    d.send(".LI");
    d.wakeUp();
    EXPECT_TRUE(d.send("1,-\r").empty());
    EXPECT_TRUE(d.instrument.textLines().empty());
}

} // namespace
} // namespace qv::sim::test

namespace qv::sim::test {
namespace {

TEST(DownloadMode, EnteredByTheTwoStepRequest)
{
    InstrumentDriver d;
    EXPECT_EQ(d.send("\r.SP15,20\r"), textBytes(".AP15,19\r\n"));
    EXPECT_FALSE(d.instrument.inDownloadMode());
    EXPECT_EQ(d.send("\r.SP15,21\r"), textBytes(".AP15,20.\r\n"));
    EXPECT_TRUE(d.instrument.inDownloadMode());
    EXPECT_EQ(d.instrument.restartCount(), 1);

    d.pauseMs(d.instrument.options().bootMs);
    EXPECT_EQ(d.wakeUp(), Bytes{0x05});
    Bytes block(128, 0x42);
    Bytes write = {0x01, 0x7F};
    write.insert(write.end(), block.begin(), block.end());
    write.push_back(withChecksum(block).back());
    d.setAddress(0x8000);
    EXPECT_EQ(d.send(write), (Bytes{0x05, 0x05})) << "blocks go in without the protect flag";
    EXPECT_EQ(d.instrument.peek(0x8000, 128), block);
    EXPECT_TRUE(d.send("\r.LI1,-\r").empty()) << "the loader answers no text";
}

} // namespace
} // namespace qv::sim::test
