// The screen grab against the simulated instrument on virtual time: the
// reads of each upload, what they bring home, the display commands and the
// files.
#include "link/headless_transfer_view.h"
#include "link/matrix_transfer.h"
#include "link/tests/sim_fixture.h"
#include "platform/host/event_pump.h"
#include "service/screen_grab.h"
#include "sim/front_panel.h"
#include "sim/testing/sim_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>
#include <utility>

namespace {

using qv::LcdPicture;
using qv::sim::testing::SlurpFile;
using qv::ScreenGrab;

struct GrabView : qv::ScreenGrabView {
    void setStatus(const std::string& text) override { statuses.push_back(text); }
    void clearOffset() override { ++offsetCleared; }
    void setFormEnabled(bool enabled) override { this->enabled.push_back(enabled); }
    void showCapture(bool fromFile) override { captures.push_back(fromFile); }
    void setFileName(const std::string& path) override { fileName = path; }

    std::vector<std::string> statuses;
    int offsetCleared = 0;
    std::vector<bool> enabled;
    std::vector<bool> captures;
    std::string fileName;
};

struct GrabBench : MatrixSimBench {
    explicit GrabBench(qv::sim::InstrumentOptions options = {}) : MatrixSimBench(options)
    {
        grab.setSource(qv::ScreenSourceFor(options.serial >= 50000 ? 14 : 0, 1));
    }

    qv::HeadlessTransferView progress;
    qv::MatrixTransfer transfer{link, progress};
    GrabView view;
    bool serialInterface = true;
    ScreenGrab grab{view, sim.prompter, [this] { return serialInterface ? &transfer : nullptr; }};
    qv::sim::FrontPanel panel{sim.instrument, sim.clock};

    LcdPicture decoded()
    {
        qv::CallbackEventPump pump;
        return qv::DecodeVideoMemory(grab.buffer(), grab.source().stride, pump);
    }
    const std::vector<uint8_t>& shown() { return sim.instrument.lcdPicture().codes; }
    // Runs action once, when virtual time has passed t.
    void atMs(int64_t t, std::function<void()> action)
    {
        sim.pump.add([this, t, action = std::move(action)]() mutable {
            if (action && sim.clock.nowMs() >= t)
                std::exchange(action, nullptr)();
        });
    }
    // Lets what was sent reach the instrument.
    void settle()
    {
        sim.clock.sleepMs(10);
        sim.port.inputCount();
    }
    bool bufferBlank() const
    {
        return std::all_of(grab.buffer().begin(), grab.buffer().end(), [](uint8_t b) { return b == 0; });
    }
};

// Rows [from, to) of two pictures are the same.
bool SameRows(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int from, int to)
{
    const auto begin = [](const std::vector<uint8_t>& p, int row) { return p.begin() + std::ptrdiff_t(row) * 640; };
    return std::equal(begin(a, from), begin(a, to), begin(b, from));
}

const std::string kComplete = "Upload complete... The image is placed in the clipboard.";
constexpr int kIdentificationReads = 2; // revision and identity blocks

TEST(ScreenGrabFlow, TheWholeScreenIsWhatTheInstrumentShows)
{
    GrabBench b;
    const int reads = b.sim.instrument.blockReads();
    b.grab.UploadSelection(qv::kWholeScreen);
    EXPECT_EQ(b.sim.prompter.texts(), std::vector<std::string>{kComplete});
    EXPECT_EQ(b.sim.instrument.blockReads() - reads, kIdentificationReads + 81 * 12);
    EXPECT_TRUE(b.decoded().codes == b.shown()) << "every pixel as the instrument shows it";

    EXPECT_EQ(b.view.statuses, (std::vector<std::string>{"Uploading...", "Upload complete..."}));
    EXPECT_EQ(b.view.enabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(b.view.captures, std::vector<bool>{false});
    EXPECT_TRUE(b.grab.selectionMode());
    EXPECT_EQ(b.progress.textLine(), "Uploading LCD-Image.");
    EXPECT_EQ(b.progress.secondBar().maximum(), 81);
    EXPECT_EQ(b.progress.secondBar().position(), 81) << "one step a column";
    EXPECT_FALSE(b.progress.secondBarShown()) << "the normal bar is back";
    EXPECT_EQ(b.transfer.mode, qv::TransferMode::Idle);
}

TEST(ScreenGrabFlow, TheMenuAreaCostsOneBlockAColumn)
{
    GrabBench b;
    const int reads = b.sim.instrument.blockReads();
    b.grab.UploadSelection(qv::kMenuArea);
    EXPECT_EQ(b.sim.prompter.texts(), std::vector<std::string>{kComplete});
    EXPECT_EQ(b.sim.instrument.blockReads() - reads, kIdentificationReads + 81);
    const LcdPicture picture = b.decoded();
    EXPECT_TRUE(SameRows(picture.codes, b.shown(), 449, 479)) << "the softkeys as shown";
    EXPECT_TRUE(SameRows(picture.codes, LcdPicture().codes, 0, 449)) << "nothing above them read";
}

TEST(ScreenGrabFlow, AThreeScreenInstrumentIsReadFromTheChosenScreen)
{
    qv::sim::InstrumentOptions options;
    options.serial = 55000;
    GrabBench b(options);
    b.grab.UploadSelection(qv::kWholeScreen);
    EXPECT_EQ(b.record.type, 14);
    EXPECT_TRUE(b.decoded().codes == b.shown()) << "screen 1 at 0x40168, columns 2160 bytes apart";

    // Screen 2: all eight colours in row 10 of column group 5.
    b.sim.instrument.poke(0x6A468 + 5 * 2160 + 30, {0xFA, 0xC6, 0x88});
    b.grab.setSource(qv::ScreenSourceFor(14, 2));
    b.grab.UploadSelection({40, 10, 48, 11});
    const LcdPicture picture = b.decoded();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(picture.at(40 + i, 10), 7 - i) << i;
}

TEST(ScreenGrabFlow, CancelEndsTheUploadAndShowsWhatCame)
{
    GrabBench b;
    b.atMs(b.sim.clock.nowMs() + 20000, [&] { b.transfer.cancel = true; });
    b.grab.UploadSelection(qv::kWholeScreen);
    EXPECT_EQ(b.sim.prompter.texts(), std::vector<std::string>{"Upload is terminated..."});
    EXPECT_EQ(b.view.statuses, (std::vector<std::string>{"Uploading...", "Upload terminated by the user..."}));
    EXPECT_EQ(b.view.offsetCleared, 1);
    EXPECT_EQ(b.view.captures, std::vector<bool>{false}) << "the part read is shown";
    EXPECT_EQ(b.view.enabled.back(), true);
    const LcdPicture picture = b.decoded();
    EXPECT_EQ(picture.at(0, 22), b.shown()[22 * 640]) << "the first columns came";
    EXPECT_TRUE(picture.codes != b.shown()) << "the last did not";
    EXPECT_LT(b.progress.secondBar().position(), 81);
}

TEST(ScreenGrabFlow, APortThatGoesAwayIsNotReportedAsComplete)
{
    GrabBench b;
    b.atMs(b.sim.clock.nowMs() + 20000, [&] { b.sim.port.setUnplugged(true); });
    b.grab.UploadSelection(qv::kWholeScreen);
    EXPECT_EQ(b.sim.prompter.texts(),
              std::vector<std::string>{"Upload is terminated...\r\rThe device has been removed: the port is gone."});
    EXPECT_EQ(b.view.statuses, (std::vector<std::string>{"Uploading...", "Upload terminated..."}));
    EXPECT_EQ(b.view.captures, std::vector<bool>{false});
    EXPECT_EQ(b.view.enabled.back(), true);
}

TEST(ScreenGrabFlow, NothingIsReadWhenThereIsNothingToReadFrom)
{
    const struct {
        const char* what;
        std::function<void(GrabBench&)> arrange;
        qv::LcdRect rect;
        std::vector<std::string> texts;
    } cases[] = {
        {"no answer", [](GrabBench& b) { b.sim.instrument.options().noAnswer = true; }, qv::kWholeScreen,
         {"No instrument found."}},
        {"BIOS mode", [](GrabBench& b) { b.sim.instrument.options().biosMode = true; }, qv::kWholeScreen,
         {ScreenGrab::kBiosModeText}},
        {"no serial interface", [](GrabBench& b) { b.serialInterface = false; }, qv::kWholeScreen, {}},
        {"off the screen", [](GrabBench&) {}, {600, 400, 700, 500}, {ScreenGrab::kOffScreenText}},
    };
    for (const auto& c : cases) {
        GrabBench b;
        c.arrange(b);
        b.grab.UploadSelection(c.rect);
        EXPECT_EQ(b.sim.prompter.texts(), c.texts) << c.what;
        EXPECT_TRUE(b.view.captures.empty()) << c.what;
        EXPECT_TRUE(b.view.enabled.empty() || b.view.enabled.back()) << c.what << ": the window is usable again";
        EXPECT_TRUE(b.bufferBlank()) << c.what;
    }
}

// The texts of the message boxes shown, without the file dialogs' captions.
std::vector<std::string> Messages(const qv::ScriptedPrompter& prompter)
{
    std::vector<std::string> texts;
    for (const auto& shown : prompter.shown())
        if (shown.buttons != qv::ButtonNone)
            texts.push_back(shown.text);
    return texts;
}


TEST(ScreenGrabFlow, RamDataIsSavedAndOpenedAgain)
{
    GrabBench b;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("grab-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string shot = (dir / "shot.COD").string();
    b.grab.UploadSelection(qv::kMenuArea);
    const qv::VideoBuffer uploaded = b.grab.buffer();
    const std::string whole(uploaded.begin(), uploaded.end());
    b.sim.prompter.clearShown();

    b.sim.prompter.queueText((dir / "shot").string());
    b.grab.SaveRamDataAs();
    EXPECT_EQ(b.view.fileName, shot);
    EXPECT_EQ(SlurpFile(shot), whole) << "all 180001 bytes, nothing else";
    b.sim.prompter.queueText((dir / "other.cod").string());
    b.grab.SaveRamDataAs();
    EXPECT_EQ(SlurpFile((dir / "other.cod").string()), whole) << "its extension in any case is kept";

    // Replacing a file: No writes nothing, Yes writes.
    std::ofstream(shot, std::ios::binary) << "older";
    for (auto [answer, content] : {std::pair{qv::Answer::No, std::string("older")}, std::pair{qv::Answer::Yes, whole}}) {
        b.sim.prompter.queueText((dir / "shot").string());
        b.sim.prompter.queueAnswer(answer);
        b.grab.SaveRamDataAs();
        EXPECT_EQ(SlurpFile(shot), content);
    }
    EXPECT_EQ(Messages(b.sim.prompter),
              std::vector<std::string>(2, "The file " + shot + " allready exists.\r\rDo you wish to replace it?"));

    // A folder that cannot take it.
    b.sim.prompter.clearShown();
    const std::string nowhere = (dir / "missing" / "shot.COD").string();
    b.sim.prompter.queueText(nowhere);
    b.grab.SaveRamDataAs();
    ASSERT_EQ(Messages(b.sim.prompter).size(), 1u);
    EXPECT_EQ(Messages(b.sim.prompter)[0].rfind("Cannot create file \"" + nowhere + "\". ", 0), 0u)
        << Messages(b.sim.prompter)[0];

    // Opened again.
    GrabBench other;
    other.sim.prompter.queueText(shot);
    other.grab.OpenRamData();
    EXPECT_EQ(other.view.captures, std::vector<bool>{true});
    EXPECT_EQ(other.view.enabled, (std::vector<bool>{false, true})) << "nothing starts while it is decoded";
    EXPECT_TRUE(other.grab.buffer() == uploaded);
    EXPECT_TRUE(SameRows(other.decoded().codes, b.shown(), 449, 479));

    other.sim.prompter.queueText(nowhere);
    other.grab.OpenRamData();
    EXPECT_EQ(Messages(other.sim.prompter),
              std::vector<std::string>{"Cannot open file \"" + nowhere + "\". No such file or directory"});
    EXPECT_TRUE(other.bufferBlank()) << "the buffer stays cleared";
    EXPECT_EQ(other.view.captures.size(), 1u);
    std::filesystem::remove_all(dir);
}

TEST(ScreenGrabFlow, DisplayCommandsFreezeAndReleaseTheInstrumentsScreen)
{
    GrabBench b;
    const std::vector<uint8_t> before = b.shown();
    b.grab.Freeze();
    b.settle();
    EXPECT_TRUE(b.sim.instrument.lcdFrozen());
    ASSERT_TRUE(b.panel.route(65, 9));
    EXPECT_TRUE(b.shown() == before) << "a frozen screen keeps its picture";
    b.grab.UploadSelection(qv::kWholeScreen);
    EXPECT_TRUE(b.decoded().codes == before) << "and that is what is read";

    b.grab.Reset();
    b.settle();
    EXPECT_FALSE(b.sim.instrument.lcdFrozen());
    EXPECT_TRUE(b.shown() != before) << "the new routing shows";

    b.grab.DotFreeze();
    b.settle();
    EXPECT_EQ(b.sim.instrument.textLines().back(), ".SP15,17");
    EXPECT_TRUE(b.sim.instrument.lcdFrozen());
    b.grab.DotUnFreeze();
    b.settle();
    EXPECT_EQ(b.sim.instrument.textLines().back(), ".SP15,19");
    EXPECT_FALSE(b.sim.instrument.lcdFrozen());

    b.serialInterface = false;
    b.grab.Freeze();
    b.settle();
    EXPECT_FALSE(b.sim.instrument.lcdFrozen()) << "nothing to send it on";
}

} // namespace
