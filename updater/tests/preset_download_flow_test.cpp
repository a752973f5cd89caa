// Configuration files in the wizard: the PRE page, the upgrade offer and
// the download into the simulated instrument on virtual time.
#include "preset_fixture.h"
#include "wizard_fixture.h"

#include "link/update_link.h"
#include "link/version_marker.h"
#include "sim/default_memory.h"

#include <cstdio>

namespace {

using qv::UpdateControl;
using qv::WizardBar;
using qv::WizardText;
using Texts = std::vector<std::string>;

constexpr size_t kConfigBytes = 16384;
constexpr const char* kQuestion = "The preset does not appear to be compatable with the software version in the "
                                  "RVT.\rIt is STRONGLY recommended to upgrade the preset. \r\rDo you wish to "
                                  "upgrade the preset.";
constexpr const char* kDownloadComplete = "Download complete.\rPress NEXT to continue.";
constexpr const char* kNotValid = "This is not a valid configuration-file!";

qv::sim::InstrumentOptions Running(uint16_t version)
{
    qv::sim::InstrumentOptions options;
    options.softwareVersion = version;
    return options;
}

std::vector<uint8_t> ImageBytes(const qv::ConfigImage& image)
{
    return {image.bytes().begin(), image.bytes().end()};
}

std::string CrcError(uint32_t stored, uint32_t computed)
{
    char text[40];
    std::snprintf(text, sizeof text, "CRC Error. %08X %08X", unsigned(stored), unsigned(computed));
    return text;
}

// Connected and on the file selection page; no confirmation to answer.
struct PresetBench : WizardBench {
    explicit PresetBench(qv::sim::InstrumentOptions options = {}) : WizardBench(options)
    {
        wizard.quiet = true;
        connectAndSelect();
    }
    std::vector<uint8_t> memory() const { return sim.instrument.peek(qv::kImageBaseAddress, kConfigBytes); }
    qv::RecordingProgress& bar() { return view.bars[WizardBar::Preset]; }
    std::string status() const { return view.text(WizardText::PresetInfo); }

    TempFolder folder;
};

TEST(PresetDownload, ThePageShowsWhatTheFileHolds)
{
    PresetBench b;
    const std::string preset = b.folder.write("studio.pre", PresetFileBytes(FixtureConfiguration()));
    b.wizard.SetInput(preset);
    EXPECT_EQ(b.wizard.page(), "PRE");
    EXPECT_EQ(b.view.groups, unsigned(qv::GroupPreset | qv::GroupFile));
    EXPECT_TRUE(b.view.isEnabled(UpdateControl::Next));
    EXPECT_EQ(b.view.captions[UpdateControl::Exit], "Cancel");
    EXPECT_EQ(b.status(), "Press Next to start the Update.");
    const auto lines = b.view.presetTree.flatten();
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(lines[0].second, "Configuration File.");
    EXPECT_EQ(lines[2].second, "Serial Number: 54321");
    EXPECT_TRUE(b.sim.prompter.texts().empty());

    // A raw image has no origin: one line, and its version counts as 0.
    std::vector<uint8_t> raw = ImageBytes(FixtureConfiguration());
    const std::string rawFile = b.folder.write("raw.PRE", raw);
    b.wizard.SetInput(rawFile);
    EXPECT_EQ(b.view.presetTree.flatten(),
              (std::vector<std::pair<int, std::string>>{{0, "Unknown Configuration File."}}));
    EXPECT_EQ(b.wizard.heldConfiguration().imageVersion(), 0);
    EXPECT_EQ(ImageBytes(b.wizard.heldConfiguration()), raw);
}

TEST(PresetDownload, SendsTheImageWithOrWithoutItsUpgrade)
{
    struct Case {
        const char* name;
        uint16_t instrument;
        bool raw;
        uint16_t fileVersion;
        qv::Answer answer;
        bool asked;
        bool upgradeTo500;
        bool upgradeTo510;
    } cases[] = {
        {"same version", 0x0530, false, 0x0530, qv::Answer::Yes, false, false, false},
        {"5.00 file, instrument at 5.30, Yes", 0x0530, false, 0x0500, qv::Answer::Yes, true, false, true},
        {"5.00 file, instrument at 5.30, No", 0x0530, false, 0x0500, qv::Answer::No, true, false, false},
        {"4.12 file, instrument at 5.00, Yes", 0x0500, false, 0x0412, qv::Answer::Yes, true, true, false},
        {"4.12 file, instrument at 5.30, Yes", 0x0530, false, 0x0412, qv::Answer::Yes, true, true, true},
        {"instrument below 5.00", 0x0480, false, 0x0412, qv::Answer::Yes, false, false, false},
        {"raw image, instrument at 5.30", 0x0530, true, 0, qv::Answer::Yes, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PresetBench b(Running(c.instrument));
        const qv::ConfigImage file = FixtureConfiguration(c.fileVersion);
        const std::vector<uint8_t> bytes = c.raw ? ImageBytes(file) : PresetFileBytes(file);
        const std::string path = b.folder.write(c.raw ? "raw.PRE" : "studio.PRE", bytes);
        qv::ConfigImage expected = file;
        if (c.upgradeTo500) {
            ASSERT_TRUE(expected.upgradeTo500());
        }
        if (c.upgradeTo510) {
            ASSERT_TRUE(expected.upgradeTo510());
        }
        b.sim.prompter.queueAnswer(c.answer);
        const int restarts = b.sim.instrument.restartCount();

        EXPECT_TRUE(b.run(path));
        const Texts question = c.asked ? Texts{kQuestion} : Texts{};
        Texts texts = question;
        texts.push_back(kDownloadComplete);
        EXPECT_EQ(b.sim.prompter.texts(), texts);
        EXPECT_EQ(b.memory(), ImageBytes(expected));
        EXPECT_EQ(b.wizard.heldConfiguration().bytes(), expected.bytes()) << "held as sent";
        EXPECT_EQ(ReadFile(path), bytes) << "the file is only read";
        EXPECT_EQ(b.status(), "Done.");
        EXPECT_EQ(b.bar().text(), "100 %");
        EXPECT_EQ(b.bar().position(), int64_t(kConfigBytes));
        EXPECT_EQ(b.sim.instrument.restartCount(), restarts + 2) << "into download mode, then back";
        EXPECT_FALSE(b.sim.instrument.inDownloadMode());
        EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextFinished);
        EXPECT_TRUE(b.view.isEnabled(UpdateControl::Next));
        EXPECT_FALSE(b.view.bannerBusy);
    }
}

TEST(PresetDownload, NoUpgradeForAnInstrumentOfUnknownVersion)
{
    // No text replies and no version marker: the version is not known, and
    // an old instrument must not get a 5.10 image unasked.
    qv::sim::InstrumentOptions options;
    options.answersText = false;
    WizardBench b(options);
    b.sim.instrument.poke(qv::sim::kVersionMarkerAt, std::vector<uint8_t>(64, 0));
    b.wizard.quiet = true;
    b.connectAndSelect();
    ASSERT_EQ(b.identity.softwareVersion, qv::kUpdateVersionNotFound);
    // Without text replies there is no download mode: the software takes
    // the blocks once its protect flag is set.
    b.channel.rxMode = qv::RxMode::Binary;
    ASSERT_TRUE(qv::UpdateLink(b.channel).ToggleProtectFlag());
    TempFolder folder;
    const qv::ConfigImage file = FixtureConfiguration(0x0412);
    EXPECT_TRUE(b.run(folder.write("old.PRE", PresetFileBytes(file))));
    EXPECT_EQ(b.sim.prompter.texts(), Texts{kDownloadComplete});
    EXPECT_EQ(b.sim.instrument.peek(qv::kImageBaseAddress, kConfigBytes), ImageBytes(file));
}

TEST(PresetDownload, ADamagedFileIsNeverSent)
{
    const std::vector<uint8_t> good = PresetFileBytes(FixtureConfiguration());
    std::vector<uint8_t> wrongSum = good;
    wrongSum[16384 + 28] ^= 0x01;
    const uint32_t computed = good[16384 + 28] | good[16384 + 29] << 8 | good[16384 + 30] << 16 |
                              uint32_t(good[16384 + 31]) << 24;
    qv::ConfigImage lowerCase = FixtureConfiguration();
    lowerCase.trailer().marker1[1] = 'q';
    const std::vector<uint8_t> badMarker = PresetFileBytes(lowerCase);
    const uint32_t markerSum = badMarker[16384 + 28] | badMarker[16384 + 29] << 8 | badMarker[16384 + 30] << 16 |
                               uint32_t(badMarker[16384 + 31]) << 24;
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        Texts shown; // when the name is typed
    } cases[] = {
        {"wrong checksum", wrongSum, {CrcError(computed ^ 0x01, computed)}},
        {"marker in lower case", badMarker, {CrcError(markerSum, markerSum)}},
        {"too short", std::vector<uint8_t>(good.begin(), good.begin() + 16000), {}},
        {"one byte too long", [&] {
             auto longer = good;
             longer.push_back(0);
             return longer;
         }(), {}},
        {"empty", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PresetBench b;
        b.wizard.SetInput(b.folder.write("good.PRE", good));
        const auto tree = b.view.presetTree.flatten();
        const std::vector<uint8_t> before = b.memory();
        const int restarts = b.sim.instrument.restartCount();

        const std::string bad = b.folder.write("bad.PRE", c.bytes);
        b.wizard.SetInput(bad);
        EXPECT_EQ(b.sim.prompter.texts(), c.shown);
        EXPECT_EQ(b.wizard.page(), "PRE");
        EXPECT_TRUE(b.view.isEnabled(UpdateControl::Next));
        EXPECT_EQ(b.view.presetTree.flatten(), tree) << "the tree of the file before stays";

        b.sim.prompter.clearShown();
        EXPECT_FALSE(b.execute(bad));
        EXPECT_EQ(b.sim.prompter.texts(), Texts{kNotValid});
        EXPECT_EQ(b.memory(), before);
        EXPECT_EQ(b.sim.instrument.restartCount(), restarts) << "the instrument was not touched";
        EXPECT_EQ(ReadFile(bad), c.bytes);
    }
}

TEST(PresetDownload, ANameThatWasNeverShown)
{
    // A file is read when the box names it; one that is not there by then
    // is not downloaded, and neither is the image held before.
    PresetBench b;
    b.wizard.SetInput(b.folder.write("shown.PRE", PresetFileBytes(FixtureConfiguration())));
    const std::string gone = b.folder.path("gone.PRE");
    const int restarts = b.sim.instrument.restartCount();
    EXPECT_FALSE(b.execute(gone));
    EXPECT_EQ(b.sim.prompter.texts(), (Texts{"The file \"" + gone + "\" was not found.", kNotValid}));
    EXPECT_EQ(b.sim.instrument.restartCount(), restarts);
}

TEST(PresetDownload, AnInstrumentThatStopsAnsweringOrACancel)
{
    constexpr int64_t kStopAt = 4096;
    struct Case {
        const char* name;
        bool cancel;
        Texts messages;
        const char* status;
        const char* page;
        int nextTag;
    } cases[] = {
        {"stops answering",
         false,
         {"The download is not complete. The instrument stopped answering.\r\rThe configuration in the instrument may "
          "be incomplete.\rPlease check the connection and download the configuration file again."},
         "The download is not complete.",
         "PRE",
         qv::kNextFinished},
        {"Cancel",
         true,
         {"Download terminated by the user.\r\rThe configuration in the instrument is incomplete.\rPlease download "
          "the configuration file again."},
         "", // the start page empties it
         "START",
         qv::kNextToFileSelection},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PresetBench b;
        const qv::ConfigImage file = FixtureConfiguration();
        const std::string path = b.folder.write("studio.PRE", PresetFileBytes(file));
        const std::vector<uint8_t> before = b.memory();
        bool cancelOffered = false;
        bool stopped = false;
        b.sim.pump.add([&] {
            if (stopped || b.bar().position() < kStopAt)
                return;
            stopped = true;
            cancelOffered = b.view.isEnabled(UpdateControl::Exit);
            if (c.cancel)
                b.wizard.btnExitClick();
            else
                b.sim.instrument.options().noAnswer = true;
        });

        EXPECT_FALSE(b.run(path));
        EXPECT_TRUE(cancelOffered) << "Cancel is offered while the blocks go out";
        EXPECT_EQ(b.sim.prompter.texts(), c.messages);
        EXPECT_EQ(b.status(), c.status);
        EXPECT_NE(b.bar().text(), "100 %");
        EXPECT_EQ(b.wizard.page(), c.page);
        EXPECT_EQ(b.view.tag(UpdateControl::Next), c.nextTag);
        const std::vector<uint8_t> memory = b.memory();
        const auto sent = std::mismatch(memory.begin(), memory.end(), file.bytes().begin()).first - memory.begin();
        EXPECT_GE(sent, kStopAt);
        EXPECT_LT(sent, int64_t(kConfigBytes));
        EXPECT_TRUE(std::equal(memory.begin() + sent + 128, memory.end(), before.begin() + sent + 128))
            << "the rest as it was";
        if (c.cancel) {
            EXPECT_FALSE(b.sim.instrument.inDownloadMode()) << "restarted after the Cancel";
        }
    }
}

} // namespace
