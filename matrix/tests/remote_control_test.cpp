// Remote control against the simulated instrument on virtual time: the
// memory reads of a connect, the live block writes and the timeout rule.
// The window tests of the program drive the rest through the main window.
#include "fake_main_view.h"
#include "link/headless_transfer_view.h"
#include "link/tests/sim_fixture.h"
#include "matrix/dot_commands.h"
#include "matrix/dot_receiver.h"
#include "matrix/remote_control.h"
#include "matrix/remote_memory.h"
#include "matrix/remote_timer.h"

#include <gtest/gtest.h>

namespace {

struct RemoteBench {
    explicit RemoteBench(qv::sim::InstrumentOptions options = {}) : link(options)
    {
        connection.transferWindow = [this] { return &transfer; };
        connection.interface = qv::MatrixInterface::Serial;
        link.channel.startDeferralTimer = [this](int ms) {
            timer.start(ms, [this] { link.channel.DeferralTimerFired(); });
        };
        link.sim.pump.add([this] { timer.poll(); });
        receiver.parseLine = [this](const std::string& line) { remote.lineReceived(line); };
        remote.receiver = [this] { return &receiver; };
        connection.identify();
    }
    // The event loop running for a while.
    void idle(int ms)
    {
        for (int t = 0; t < ms; t += 10) {
            link.sim.pump.pump();
            link.sim.clock.sleepMs(10);
        }
    }
    qv::ScriptedPrompter& prompter() { return link.sim.prompter; }
    qv::sim::Instrument& instrument() { return link.sim.instrument; }

    MatrixSimBench link;
    qv::HeadlessTransferView transferView;
    qv::MatrixTransfer transfer{link.link, transferView};
    qv::ConfigImage image;
    FakeMainView view;
    qv::ConfigDocument document{image, view, link.sim.prompter};
    qv::MatrixConnection connection{document, link.record, view, link.sim.prompter, link.sim.clock};
    qv::DotReceiver receiver{link.channel};
    qv::RemoteControl remote{document, connection, link.record, view, link.sim.host()};
    qv::ClockTimer timer{link.sim.clock};
};

// Every byte of the instrument's configuration memory made distinct, so
// that a copy from the wrong place shows.
void FillConfiguration(qv::sim::Instrument& instrument)
{
    std::vector<uint8_t> bytes(qv::kImageSize);
    for (size_t k = 0; k < bytes.size(); ++k)
        bytes[k] = uint8_t(0x20 + (k * 7 + k / 128) % 0x5F);
    instrument.poke(qv::kImageBaseAddress, bytes);
}

bool SameBytes(const qv::ConfigImage& image, const qv::sim::Instrument& instrument, int offset, int count)
{
    const auto memory = instrument.peek(qv::kImageBaseAddress + uint32_t(offset), size_t(count));
    return std::equal(memory.begin(), memory.end(), image.bytes().begin() + offset);
}

} // namespace

TEST(RemoteControl, ConnectReadsLabelsNamesAndOptionsOnly)
{
    RemoteBench b;
    FillConfiguration(b.instrument());
    ASSERT_TRUE(b.remote.connect(false));
    b.idle(2500);
    ASSERT_TRUE(b.remote.connected());

    struct Region {
        const char* name;
        int offset;
        int count;
    };
    std::vector<Region> read = {{"labels and routing", qv::OutputLabelBaseAdr, 7 * 128},
                                {"preset names", qv::PresetNameBaseAdr, 128}};
    for (int p = 0; p < qv::kPresetCount; ++p) {
        read.push_back({"label block", qv::LabelBlock(p), 128});
        read.push_back({"options block", qv::OptionsBlock(p), 128});
    }
    int copied = 0;
    for (const Region& r : read) {
        EXPECT_TRUE(SameBytes(b.image, b.instrument(), r.offset, r.count)) << r.name << " at " << r.offset;
        copied += r.count;
    }
    int nonZero = 0;
    for (uint8_t byte : b.image.bytes())
        nonZero += byte != 0;
    EXPECT_EQ(nonZero, copied - 128) << "nothing else (preset 1's label block lies in the text block)";

    EXPECT_EQ(b.transferView.textLine(), "Connecting to RVT120S Reading X-Points.");
    std::vector<std::string> routing;
    for (int o = 1; o <= 96; ++o)
        if (const int input = b.instrument().live().source(o))
            routing.push_back(std::to_string(o) + "," + std::to_string(input) + "*");
    EXPECT_EQ(b.view.reports, routing) << "every routed output reported";
    EXPECT_EQ(b.view.selectedPreset, 1);
    EXPECT_TRUE(b.view.remoteState);
    EXPECT_EQ(b.view.illegalVersion, 0x0530) << "the instrument's software decides what is illegal";
    EXPECT_TRUE(b.prompter().shown().empty());
}

TEST(RemoteControl, AnInstrumentFallingSilentEndsTheConnection)
{
    RemoteBench b;
    ASSERT_TRUE(b.remote.connect(false));
    // Gone before the reload the preset report asked for.
    b.instrument().options().answersText = false;
    b.idle(12000);
    EXPECT_EQ(b.prompter().texts(), std::vector<std::string>{"Timeout, please try to connect again."});
    EXPECT_FALSE(b.remote.connected());
    EXPECT_FALSE(b.view.remoteShown);
    EXPECT_FALSE(b.view.imageShown);
    EXPECT_TRUE(b.view.isEnabled(qv::MainCommand::Upload));
    EXPECT_FALSE(b.view.isEnabled(qv::MainCommand::Save));

    // No answer to the preset query of a connect is the same timeout.
    b.instrument().options().answersText = true;
    b.prompter().clearShown();
    const int reads = b.instrument().blockReads();
    b.link.sim.pump.add([&] {
        // The identity is answered; the text dies during the memory reads.
        if (b.instrument().blockReads() > reads)
            b.instrument().options().answersText = false;
    });
    EXPECT_FALSE(b.remote.connect(false));
    EXPECT_EQ(b.prompter().texts(), std::vector<std::string>{"Timeout, please try to connect again."});
    EXPECT_FALSE(b.remote.connected());
}

int CrosspointLists(const qv::sim::Instrument& instrument)
{
    int n = 0;
    for (const std::string& line : instrument.textLines())
        n += line.rfind(".LA", 0) == 0;
    return n;
}

TEST(RemoteControl, AReloadAskedForWhileAMacroRunsWaitsForItsEnd)
{
    RemoteBench b;
    bool macroRunning = false;
    b.remote.macroRunning = [&] { return macroRunning; };
    ASSERT_TRUE(b.remote.connect(false));
    b.idle(2500);
    ASSERT_TRUE(b.remote.crosspointsRead());
    const int lists = CrosspointLists(b.instrument());

    // A macro line ".SP9,2": the instrument's preset report asks for a reload.
    macroRunning = true;
    b.remote.send(qv::DotSelectPreset(2));
    b.idle(2500);
    EXPECT_EQ(b.view.selectedPreset, 2);
    EXPECT_EQ(CrosspointLists(b.instrument()), lists) << "the macro's answers stay its own";

    macroRunning = false;
    b.remote.macroEnded();
    b.idle(2500);
    EXPECT_EQ(CrosspointLists(b.instrument()), lists + 10);
    b.remote.macroEnded();
    b.idle(2500);
    EXPECT_EQ(CrosspointLists(b.instrument()), lists + 10) << "nothing was held any more";
}

TEST(RemoteMemory, WritesABlockBackWithOnlyTheTextChanged)
{
    struct Case {
        const char* name;
        qv::sim::InstrumentOptions options;
        bool written;
        std::vector<std::string> messages;
    };
    qv::sim::InstrumentOptions corrupt;
    corrupt.corruptChecksumEvery = 1;
    qv::sim::InstrumentOptions silent;
    silent.noAnswer = true;
    const Case cases[] = {
        {"answering", {}, true, {}},
        {"block unreadable", corrupt, false, {"BDMA Error"}},
        {"silent", silent, false, {}},
    };
    for (const auto& c : cases) {
        MatrixSimBench link(c.options);
        qv::HeadlessTransferView view;
        qv::MatrixTransfer transfer(link.link, view);
        const uint32_t address = 0x1CE08; // output 3's label
        const auto before = link.sim.instrument.peek(0x1CE00, 128);
        qv::RemoteMemory memory(transfer, link.sim.prompter);
        EXPECT_EQ(memory.writeBlockText(address, "MON "), c.written) << c.name;
        auto expected = before;
        if (c.written) {
            const char swapped[] = "OM N";
            std::copy(swapped, swapped + 4, expected.begin() + 8);
        }
        EXPECT_EQ(link.sim.instrument.peek(0x1CE00, 128), expected) << c.name;
        auto texts = link.sim.prompter.texts();
        texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
        EXPECT_EQ(texts, c.messages) << c.name;
    }
}

TEST(RemoteMemory, TheOptionsBlockGoesWhole)
{
    RemoteBench b;
    b.image.selectPreset(3);
    const int block = b.image.addressTable().MainOptionAdr;
    for (int k = 0; k < 128; ++k)
        b.image.setByte(block + k, uint8_t(k + 1)); // PPM channel 20's options among them
    qv::RemoteMemory memory(b.transfer, b.prompter());
    ASSERT_TRUE(memory.writeOptionsBlock(b.image));
    EXPECT_TRUE(SameBytes(b.image, b.instrument(), block, 128));
    EXPECT_TRUE(b.instrument().protectFlag()) << "set for the write";
}

TEST(RemoteControl, APresetNameGoesToTheInstrumentAndTheImageTakesItAnyway)
{
    for (const bool answering : {true, false}) {
        RemoteBench b;
        ASSERT_TRUE(b.remote.connect(false));
        b.idle(2500);
        b.instrument().options().noAnswer = !answering;
        EXPECT_EQ(b.remote.writePresetName(2, "Studio"), answering);
        b.idle(100);
        const auto stored = b.instrument().peek(qv::kImageBaseAddress + qv::PresetNameBaseAdr + 20, 10);
        EXPECT_EQ(std::string(stored.begin(), stored.end()) == "tSduoi    ", answering);
        EXPECT_EQ(b.instrument().textLines().back() == ".SP15,22", answering);
        EXPECT_EQ(b.image.presetName(2), "Studio    ") << answering;
    }
}
