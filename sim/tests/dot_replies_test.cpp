#include "sim/app/command_line.h"
#include "sim/default_memory.h"
#include "sim/front_panel.h"
#include "sim/preset_memory.h"
#include "sim/routing.h"
#include "sim/virtual_instrument.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

namespace qv::sim::test {
namespace {

std::string text(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

InstrumentOptions version(uint16_t softwareVersion)
{
    InstrumentOptions o;
    o.softwareVersion = softwareVersion;
    return o;
}

TEST(DotReplies, CommandsAndTheirAnswers)
{
    struct {
        const char* sent;
        const char* reply;
        InstrumentOptions options = {};
    } cases[] = {
        {"\r.SA5,12*\r", ".AA5,12*\r\n"},
        {"\r.SA5,12\r", ".AA5,12\r\n"},
        {"\r.SA63,1*\r", ".FA63,1*\r\n"},   // output 63 takes no input
        {"\r.SA73,65\r", ".FA73,65\r\n"},   // a PPM channel cannot feed itself
        {"\r.SA5,89\r", ".FA5,89\r\n"},
        {"\r.SA97,1\r", ".FA97,1\r\n"},
        {"\r.SA5,49\r", ".AA5,49\r\n"},
        {"\r.SA5,49\r", ".FA5,49\r\n", version(0x0500)},
        {"\r.SA5\r", ".NA5\r\n"},
        {"\r.SAx,1\r", ".NAx,1\r\n"},
        {"\r.LP9,-\r", ".AP9,1\r\n"},
        {"\r.SP9,4\r", ".AP9,4\r\n"},
        {"\r.SP9,12\r", ".FP9,12\r\n"},
        {"\r.SG3,-45\r", ".AG3,-45\r\n"},
        {"\r.SG3,211\r", ".FG3,211\r\n"},
        {"\r.LG3,-\r", ".AG3,0\r\n"},
        {"\r.SP1,3\r", ".AP1,3\r\n"},
        {"\r.SP15,22\r", ""},
        {"\r.SP15,17\r", ""},
        {"\r.SP15,19\r", ""},
        {".Sm100,200\r\n", ""},
        {".Sa100,200\r\n", ""},
        {"\r.XY1,2\r", ".NY1,2\r\n"},
        {"\r.LA91,-*\r", ".AA91,27*\r\n.AA92,28*\r\n.AA93,29*\r\n.AA94,30*\r\n.AA95,31*\r\n.AA96,32*\r\n"},
        {"\r.LA55,-\r",
         ".AA55,57\r\n.AA56,58\r\n.AA57,59\r\n.AA58,60\r\n.AA59,61\r\n.AA60,62\r\n.AA61,63\r\n.AA62,64\r\n"},
    };
    for (const auto& c : cases) {
        InstrumentDriver d(c.options);
        EXPECT_EQ(text(d.send(c.sent)), c.reply) << c.sent;
    }
}

TEST(DotReplies, PointerCommandsMoveThePointerAndPressItsButtonsSilently)
{
    InstrumentDriver d;
    EXPECT_EQ(text(d.send(".Sm100,200\r\n.Sa101,201\r\n.Sc5,6\r\n.Sd5,6\r\n.Se7,8\r\n"
                          ".Sg7,8\r\n.Sg7,8\r\n.Sh7,8\r\n.Sm639,479\r\n")),
              "");
    const PointerState& p = d.instrument.live().pointer;
    EXPECT_EQ(p.x, 639);
    EXPECT_EQ(p.y, 479);
    EXPECT_EQ(p.moves, 2);
    EXPECT_EQ(p.clicks, 3);
    EXPECT_TRUE(p.left) << "no release was sent";
    EXPECT_FALSE(p.middle);
    EXPECT_TRUE(p.right);
    EXPECT_EQ(p.wheelSteps, 1);

    d.send(".Sb639,479\r\n.Sf639,479\r\n.Sm640,10\r\n.Sm10,480\r\n");
    EXPECT_FALSE(d.instrument.live().pointer.left);
    EXPECT_FALSE(d.instrument.live().pointer.right);
    EXPECT_EQ(d.instrument.live().pointer.ignored, 2) << "off the screen";
    EXPECT_EQ(d.instrument.live().pointer.x, 639);
}

TEST(DotReplies, SettingsAreKept)
{
    InstrumentDriver d;
    d.send("\r.SG3,-45\r.SG4,120\r");
    EXPECT_EQ(text(d.send("\r.LG3,-\r.LG4,-\r.LG5,-\r")), ".AG3,-45\r\n.AG4,120\r\n.AG5,0\r\n");

    d.send("\r.SA5,12*\r");
    EXPECT_EQ(text(d.send("\r.LA1,-\r")).find(".AA5,12\r\n") != std::string::npos, true);
    EXPECT_EQ(storedSource(d.instrument.memory(), 1, 5), 12) << "the preset keeps the crosspoint";

    // Another preset has its own routing; coming back finds the change.
    EXPECT_EQ(text(d.send("\r.SP9,4\r.LA1,-\r")).substr(0, 20), ".AP9,4\r\n.AA1,4\r\n.AA2");
    EXPECT_EQ(d.instrument.live().source(5), 8);
    d.send("\r.SP9,1\r");
    EXPECT_EQ(d.instrument.live().source(5), 12);
}

TEST(DotReplies, ChangedConfigurationMemoryCountsFromSP15_22)
{
    InstrumentDriver d;
    const uint32_t block = routingByteAddress(1, 1) & ~0x7Fu;
    Bytes routing = d.instrument.peek(block, 128);
    routing[routingByteAddress(1, 1) - block] = 19; // output 1 from input 20

    d.wakeUp();
    d.send(Bytes{0x0A}); // protect flag: block writes allowed
    d.setAddress(block);
    Bytes write{0x01, 0x7F};
    const Bytes data = withChecksum(routing);
    write.insert(write.end(), data.begin(), data.end());
    ASSERT_EQ(d.send(write), (Bytes{0x05, 0x05}));

    EXPECT_EQ(text(d.send("\r.LA1,-\r")).substr(0, 8), ".AA1,1\r\n") << "not taken over yet";
    EXPECT_EQ(text(d.send("\r.SP15,22\r")), "");
    EXPECT_EQ(text(d.send("\r.LA1,-\r")).substr(0, 9), ".AA1,20\r\n");
}

// Block writes of the options block and a preset name, as the option
// dialogs send them; what the software works with changes at the take-over.
TEST(DotReplies, OptionsAndNamesAreTakenOverFromSP15_22)
{
    InstrumentDriver d;
    const uint32_t options = presetOptionsBlock(1);
    Bytes block = d.instrument.peek(options, 128);
    block[0x2D] = 0x27; // PPM channel 0: trace colour 2, bar colour 7
    const uint32_t names = kConfigImage + 0x2480;
    Bytes nameBlock = d.instrument.peek(names, 128);
    const std::string studio = "tSduoi    "; // "Studio    " pair-reversed
    std::copy(studio.begin(), studio.end(), nameBlock.begin() + 10);

    d.wakeUp();
    d.send(Bytes{0x0A});
    for (auto [address, data] : {std::pair{options, block}, std::pair{names, nameBlock}}) {
        d.setAddress(address);
        Bytes write{0x01, 0x7F};
        const Bytes withSum = withChecksum(data);
        write.insert(write.end(), withSum.begin(), withSum.end());
        ASSERT_EQ(d.send(write), (Bytes{0x05, 0x05}));
    }
    EXPECT_NE(d.instrument.live().options[0x2D], 0x27);
    EXPECT_EQ(d.instrument.live().presetNames[1], "Preset 2  ");
    d.send("\r.SP15,22\r");
    EXPECT_EQ(d.instrument.live().takeOvers, 1);
    EXPECT_EQ(d.instrument.live().options[0x2D], 0x27);
    EXPECT_EQ(d.instrument.live().presetNames[1], "Studio    ");
}

// Outputs 33-48 keep their gain in the preset; the others only while it runs.
TEST(DotReplies, GainsOfOutputs33To48AreKeptInThePreset)
{
    InstrumentDriver d;
    d.send("\r.SG35,-45\r.SG3,20\r");
    EXPECT_EQ(storedGain(d.instrument.memory(), 1, 35), -45);
    EXPECT_EQ(d.instrument.peek(outputGainAddress(1, 35), 2), (Bytes{0xFF, 0xD3}));
    d.send("\r.SP9,2\r");
    EXPECT_EQ(text(d.send("\r.LG35,-\r")), ".AG35,0\r\n") << "preset 2 has its own";
    d.send("\r.SP9,1\r");
    EXPECT_EQ(text(d.send("\r.LG35,-\r.LG3,-\r")), ".AG35,-45\r\n.AG3,20\r\n");
}

TEST(DotReplies, MacroLinesAreAcknowledgedFromTheirThirdCharacter)
{
    InstrumentDriver d;
    for (const char* line : {".SA5,3", ".SA63,3", ".SP1,2", ".SQ1,2", ".SG7,15"}) {
        const std::string reply = text(d.send(std::string(line) + "\r"));
        ASSERT_GE(reply.size(), 2u) << line;
        EXPECT_EQ(reply.substr(2), std::string(line).substr(2) + "\r\n") << line;
        EXPECT_NE(std::string("AFN").find(reply[1]), std::string::npos) << line;
    }
}

// The front panel on the in-process line: what the host receives.
struct PanelBench {
    VirtualInstrument sim;
    FrontPanel panel{sim.instrument, sim.clock};
    PanelBench() { sim.port.open("SIM"); }

    std::string receivedWithin(int ms)
    {
        sim.clock.sleepMs(ms);
        std::string got(size_t(sim.port.inputCount()), '\0');
        sim.port.read(reinterpret_cast<uint8_t*>(got.data()), int(got.size()));
        return got;
    }
};

TEST(FrontPanel, ReportsWhatIsDoneAtTheInstrument)
{
    PanelBench b;
    ASSERT_TRUE(b.panel.route(7, 3));
    EXPECT_EQ(b.receivedWithin(50), ".AA7,3\r\n.U\r\n");
    EXPECT_EQ(b.sim.instrument.live().source(7), 3);

    EXPECT_FALSE(b.panel.route(63, 3)) << "cannot be routed";
    EXPECT_FALSE(b.panel.selectPreset(12));
    EXPECT_EQ(b.receivedWithin(50), "");

    ASSERT_TRUE(b.panel.selectPreset(2));
    EXPECT_EQ(b.receivedWithin(50), ".AP9,2\r\n");
    EXPECT_EQ(b.sim.instrument.live().source(1), 2);
}

TEST(FrontPanel, PowerCycleSendsAPowerUpNoticeAfterTheBoot)
{
    PanelBench b;
    const int bootMs = b.sim.instrument.options().bootMs;
    b.panel.powerCycle();
    EXPECT_EQ(b.sim.instrument.restartCount(), 1);
    EXPECT_FALSE(b.panel.route(7, 3)) << "booting";
    EXPECT_EQ(b.receivedWithin(bootMs - 10), "");
    EXPECT_EQ(b.receivedWithin(20), ".P\r\n");
}

TEST(FrontPanel, ShowsTheScaleTableInASlot)
{
    VirtualInstrument sim;
    FrontPanel panel(sim.instrument, sim.clock);
    // The name "LeqM" as 0x654C 0x4D71 (low byte first), then the words 2 to 127.
    std::vector<uint8_t> table{0x65, 0x4C, 0x4D, 0x71};
    for (int word = 2; word < 128; ++word)
        table.insert(table.end(), {uint8_t(word >> 8), uint8_t(word)});
    sim.instrument.poke(0x1CC00, table);

    const std::string shown = panel.command("scale 8");
    EXPECT_EQ(shown.substr(0, shown.find('\n')), "scale 8 at 0x1CC00, name \"LeqM\"");
    EXPECT_NE(shown.find("\n  0: 654C 4D71 0002 0003 0004"), std::string::npos) << shown;
    EXPECT_NE(shown.find("\n112: 0070 0071"), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 5), " 007F");

    const std::pair<const char*, const char*> slots[] = {
        {"scale 1", "scale 1 at 0x1C500, name \"....\""}, {"scale 7", "scale 7 at 0x1CB00,"},
        {"scale 9", "scale 9 at 0x1DA00,"}, {"scale 10", "scale 10 at 0x1DB00,"},
    };
    for (auto [command, start] : slots)
        EXPECT_EQ(panel.command(command).rfind(start, 0), 0u) << command;
    EXPECT_EQ(panel.command("scale 0"), "no scale slot 0");
    EXPECT_EQ(panel.command("scale 11"), "no scale slot 11");
    for (const char* bad : {"scale", "scale x"})
        EXPECT_EQ(panel.command(bad).rfind("usage:", 0), 0u) << bad;
}

TEST(FrontPanel, SoftwareWithoutTextReportsNothing)
{
    InstrumentOptions o;
    o.answersText = false;
    VirtualInstrument sim(o);
    sim.port.open("SIM");
    FrontPanel panel(sim.instrument, sim.clock);
    EXPECT_TRUE(panel.route(7, 3));
    sim.clock.sleepMs(50);
    EXPECT_EQ(sim.port.inputCount(), 0);
}

TEST(FrontPanel, StateTellsWhatTheDisplayShows)
{
    PanelBench b;
    EXPECT_EQ(b.panel.state(), "running");
    b.sim.port.write("\r.SP15,20\r");
    b.sim.port.write("\r.SP15,21\r");
    EXPECT_EQ(b.receivedWithin(50), ".AP15,19\r\n.AP15,20.\r\n");
    EXPECT_EQ(b.panel.state(), "download mode");
    b.sim.clock.sleepMs(b.sim.instrument.options().bootMs);
    EXPECT_EQ(b.panel.state(), "download mode") << "until the next restart";

    InstrumentOptions bios;
    bios.biosMode = true;
    VirtualInstrument loader(bios);
    EXPECT_EQ(FrontPanel(loader.instrument, loader.clock).state(), "BIOS mode");
}

TEST(FrontPanel, CommandsFromStandardInput)
{
    PanelBench b;
    const std::pair<const char*, const char*> cases[] = {
        {"route 7 3", "ok"},
        {"route 63 3", "refused"},
        {"route 7", "usage: route O I | preset N | power | state | version | lcd FILE | io | fpga | slot N | scale N"},
        {"preset 3", "ok"},
        {"preset x", "usage: route O I | preset N | power | state | version | lcd FILE | io | fpga | slot N | scale N"},
        {"state", "running"},
        {"version", "5.30"},
        {"power", "ok"},
        {"state", "booting"},
        {"dance", "usage: route O I | preset N | power | state | version | lcd FILE | io | fpga | slot N | scale N"},
    };
    for (const auto& [line, answer] : cases)
        EXPECT_EQ(b.panel.command(line), answer) << line;
    EXPECT_EQ(b.sim.instrument.live().preset, 3);
    EXPECT_EQ(b.sim.instrument.restartCount(), 1);
    EXPECT_NE(simUsage().find(frontPanelUsage()), std::string::npos) << "--help lists them";
}

} // namespace
} // namespace qv::sim::test
