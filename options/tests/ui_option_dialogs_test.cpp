// The option dialogs on an image of their own: what opening shows, the
// exact bytes OK changes, Cancel changing nothing, and which live writes
// they ask remote control for (none while it is not connected). The live
// writes themselves reach the simulated instrument in the program's tests.
#include "config/config_image.h"
#include "config/preset_list.h"
#include "options/live_options.h"
#include "options/ui/gain_form.h"
#include "options/ui/lcd_options_form.h"
#include "options/ui/leqm_form.h"
#include "options/ui/lock_form.h"
#include "options/ui/ppm_option_form.h"
#include "options/ui/preset_options_form.h"
#include "options/ui/scale_form.h"
#include "options/ui/scop_form.h"
#include "options/ui/theme_option_form.h"
#include "platform/host/scripted_prompter.h"
#include "platform/tests/qt_test_app.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace qv {
namespace {

// Remote control as a record of what the dialogs ask of it.
struct RecordingLive : LiveOptions {
    bool remote = false;
    bool writes = true;                      // the instrument takes blocks
    GainReply gainReply = GainReply::Taken;
    std::map<int, int> gains;                // what liveGain reports
    std::vector<std::string> calls;

    bool connected() const override { return remote; }
    void showWait(const std::string& text) override { calls.push_back("wait " + text); }
    void hideWait() override { calls.push_back("wait hidden"); }
    void pause(int ms) override { calls.push_back("pause " + std::to_string(ms)); }
    bool writeOptionsBlock() override
    {
        calls.push_back("options block");
        return writes;
    }
    bool patchBlock(uint32_t address, const std::vector<std::pair<int, uint8_t>>& bytes) override
    {
        std::string call = "patch " + QString::number(address, 16).toStdString();
        for (auto [at, value] : bytes)
            call += " " + std::to_string(at) + "=" + std::to_string(value);
        calls.push_back(call);
        return writes;
    }
    bool writePresetName(int index, const std::string& name) override
    {
        calls.push_back("name " + std::to_string(index) + " " + name);
        return writes;
    }
    void takeOverConfiguration() override { calls.push_back("take over"); }
    GainReply setGain(int output, int tenths) override
    {
        calls.push_back("gain " + std::to_string(output) + "," + std::to_string(tenths));
        return gainReply;
    }
    int liveGain(int output) override
    {
        calls.push_back("query " + std::to_string(output));
        return gains[output];
    }
};

using Changes = std::map<int, int>; // offset -> new byte

Changes Diff(const ConfigImage::Bytes& before, const ConfigImage::Bytes& after)
{
    Changes out;
    for (size_t k = 0; k < before.size(); ++k)
        if (before[k] != after[k])
            out[int(k)] = after[k];
    return out;
}

template <typename T>
T* Find(QWidget& w, const char* name)
{
    T* child = w.findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Click(QWidget& w, const char* name)
{
    Find<QAbstractButton>(w, name)->click();
}

QStringList Items(QComboBox& list)
{
    QStringList out;
    for (int k = 0; k < list.count(); ++k)
        out << list.itemText(k);
    return out;
}

// An image of a given version whose option fields hold distinct values.
struct Bench {
    explicit Bench(uint16_t version = 0x0530)
    {
        image.setImageVersion(version);
        image.selectPreset(2);
        image.setModified(false);
    }
    // Run after setting the fields up: the bytes OK is compared with.
    void snapshot()
    {
        image.setModified(false);
        before = image.bytes();
    }
    Changes changes() const { return Diff(before, image.bytes()); }

    ConfigImage image;
    ScriptedPrompter prompter;
    RecordingLive live;
    ConfigImage::Bytes before{};
};

// ---------------------------------------------------------------- PPM options

struct PpmBench : Bench {
    explicit PpmBench(uint16_t version = 0x0545) : Bench(version)
    {
        // Channels 3 and 4: bar 2, trace 5, underload 6, Normal, no space;
        // channel 5 differs in its bar colour.
        for (int c : {3, 4, 5})
            image.setWord(word(c), 0x4652);
        image.setWord(word(5), 0x4654);
        snapshot();
    }
    int word(int c) const { return image.addressTable().PPMOptionBaseAdr + 2 * c; }
    TPPMOptionForm form{image, prompter, live};
};

TEST(PpmOptionForm, OpensWithTheSharedValuesOfTheSelectedInputs)
{
    PpmBench b(0x0520);
    b.form.FormShow(3, {3, 4}, {3, 4});
    auto& bar = *Find<QComboBox>(b.form, "ColorBox");
    EXPECT_EQ(Items(bar), (QStringList{"None", "Green", "Yellow", "Blue", "Fuchsia", "Aqua", "Red"}));
    EXPECT_EQ(Items(*Find<QComboBox>(b.form, "ColorTrace")), Items(bar));
    EXPECT_EQ(bar.currentIndex(), 2);
    EXPECT_EQ(Find<QComboBox>(b.form, "ColorTrace")->currentIndex(), 5);
    EXPECT_EQ(Find<QComboBox>(b.form, "ColorUnderload")->currentIndex(), 6);
    EXPECT_EQ(Find<QComboBox>(b.form, "ComboWidth")->currentText(), "Normal");
    EXPECT_EQ(Find<QCheckBox>(b.form, "CheckSpace")->checkState(), Qt::Unchecked);

    b.form.FormShow(3, {3, 5}, {});
    EXPECT_EQ(bar.currentIndex(), -1) << "channel 5's bar colour differs";
    EXPECT_EQ(Find<QComboBox>(b.form, "ColorTrace")->currentIndex(), 5);

    PpmBench newer(0x0545);
    newer.form.FormShow(3, {3}, {3});
    EXPECT_EQ(Items(*Find<QComboBox>(newer.form, "ColorBox")).last(), "Red");
    EXPECT_EQ(Find<QComboBox>(newer.form, "ColorBox")->count(), 8);
}

TEST(PpmOptionForm, OkWritesOnlyTheChangedControlsIntoTheTargets)
{
    struct Case {
        const char* name;
        QList<int> inputs;
        QList<int> outputs;
        std::function<void(TPPMOptionForm&)> change;
        std::vector<std::pair<int, uint16_t>> words; // channel -> new word
    };
    auto choose = [](const char* list, int index) {
        return [=](TPPMOptionForm& f) { Find<QComboBox>(f, list)->setCurrentIndex(index); };
    };
    const Case cases[] = {
        {"bar colour", {3, 4}, {3, 4}, choose("ColorBox", 7), {{3, 0x4657}, {4, 0x4657}}},
        {"trace colour", {3, 4}, {}, choose("ColorTrace", 7), {{3, 0x4672}, {4, 0x4672}}},
        {"underload colour", {3}, {}, choose("ColorUnderload", 1), {{3, 0x4152}}},
        {"X-Wide keeps underload and spacing", {4}, {}, choose("ComboWidth", 2), {{4, 0x2652}}},
        {"Wide", {4}, {}, choose("ComboWidth", 1), {{4, 0x8652}}},
        {"space", {3}, {}, [](TPPMOptionForm& f) { Find<QCheckBox>(f, "CheckSpace")->click(); }, {{3, 0x5652}}},
        {"outputs when no input is selected", {}, {4, 5}, choose("ColorBox", 1), {{4, 0x4651}, {5, 0x4651}}},
        {"an untouched empty list keeps both colours", {3, 5}, {}, choose("ColorTrace", 5), {}},
        {"nothing changed", {3, 4}, {3, 4}, [](TPPMOptionForm&) {}, {}},
    };
    for (const Case& c : cases) {
        PpmBench b;
        b.form.FormShow(c.inputs.value(0, c.outputs.value(0)), c.inputs, c.outputs);
        c.change(b.form);
        Click(b.form, "OKButton");
        EXPECT_EQ(b.form.result(), QDialog::Accepted) << c.name;
        Changes expected;
        for (auto [channel, word] : c.words) {
            if ((word >> 8) != (b.before[size_t(b.word(channel))]))
                expected[b.word(channel)] = word >> 8;
            if ((word & 0xFF) != b.before[size_t(b.word(channel) + 1)])
                expected[b.word(channel) + 1] = word & 0xFF;
        }
        EXPECT_EQ(b.changes(), expected) << c.name;
        EXPECT_TRUE(b.image.modified()) << c.name;
        EXPECT_TRUE(b.live.calls.empty()) << c.name << ": offline nothing is sent";
    }
}

TEST(PpmOptionForm, GreyedSpacingIsClearedOnlyWhenTouched)
{
    PpmBench b;
    b.image.setWord(b.word(4), 0x5652); // channel 4 with a space
    b.snapshot();
    b.form.FormShow(3, {3, 4}, {});
    auto& space = *Find<QCheckBox>(b.form, "CheckSpace");
    EXPECT_EQ(space.checkState(), Qt::PartiallyChecked);
    Click(b.form, "OKButton");
    EXPECT_EQ(b.changes(), Changes{});

    b.form.FormShow(3, {3, 4}, {});
    space.click();
    EXPECT_EQ(space.checkState(), Qt::Checked);
    space.click();
    Click(b.form, "OKButton");
    EXPECT_EQ(b.changes(), (Changes{{b.word(4), 0x46}}));
}

TEST(PpmOptionForm, CancelChangesNothing)
{
    PpmBench b;
    b.live.remote = true;
    b.form.FormShow(3, {3, 4}, {});
    Find<QComboBox>(b.form, "ColorBox")->setCurrentIndex(1);
    Find<QCheckBox>(b.form, "CheckSpace")->click();
    Click(b.form, "CancelButton");
    EXPECT_EQ(b.form.result(), QDialog::Rejected);
    EXPECT_EQ(b.changes(), Changes{});
    EXPECT_FALSE(b.image.modified());
    EXPECT_TRUE(b.live.calls.empty());
}

TEST(PpmOptionForm, InRemoteControlTheOptionsBlockFollows)
{
    for (const bool taken : {true, false}) {
        PpmBench b;
        b.live.remote = true;
        b.live.writes = taken;
        b.form.FormShow(3, {3}, {});
        Find<QComboBox>(b.form, "ColorBox")->setCurrentIndex(4);
        Click(b.form, "OKButton");
        EXPECT_EQ(b.image.word(b.word(3)), 0x4654) << "the image first";
        EXPECT_EQ(b.live.calls, (std::vector<std::string>{"wait Updating PPM Options", "options block", "pause 250",
                                                          "take over", "wait hidden"}));
        EXPECT_EQ(b.prompter.texts(), taken ? std::vector<std::string>{}
                                            : std::vector<std::string>{TPPMOptionForm::kNotWrittenText});
    }
}

// ---------------------------------------------------------------- phase options

TEST(ScopForm, OpensWithThePresetsPhaseOptions)
{
    struct Case {
        uint16_t version;
        uint8_t colour;
        uint16_t mainWord;
        const char* shown;
        bool slow, spoke, compressorOff, surroundOffered;
    };
    const Case cases[] = {
        {0x0530, 0, 0x0220, "Green", false, true, false, true},
        {0x0530, 5, 0x0511, "Fuchsia", true, false, true, true},
        {0x0500, 8, 0x0210, "Green", false, false, false, false},
    };
    for (const Case& c : cases) {
        Bench b(c.version);
        const AddressTable t = b.image.addressTable();
        b.image.setLowByte(t.ScopOptionBaseAdr, c.colour);
        b.image.setWord(t.MainOptionAdr, c.mainWord);
        TScopForm form(b.image);
        form.FormShow();
        EXPECT_EQ(Find<QComboBox>(form, "ColorBox")->currentText(), c.shown) << c.colour;
        EXPECT_EQ(Find<QRadioButton>(form, "RadioSlow")->isChecked(), c.slow);
        EXPECT_EQ(Find<QRadioButton>(form, "RadioFast")->isChecked(), !c.slow);
        EXPECT_EQ(Find<QRadioButton>(form, "rdoStar")->isChecked(), c.spoke);
        EXPECT_EQ(Find<QCheckBox>(form, "CheckCompressor")->isChecked(), c.compressorOff);
        EXPECT_EQ(Find<QGroupBox>(form, "gbSurround")->isEnabled(), c.surroundOffered);
    }
}

TEST(ScopForm, OkWritesEveryPhaseField)
{
    struct Case {
        const char* name;
        uint16_t version;
        std::function<void(TScopForm&)> change;
        int colour;
        int mainHigh;
        int mainLow;
    };
    const Case cases[] = {
        {"a stored code 0 becomes green, Fast, cloud", 0x0530, [](TScopForm&) {}, 2, 0xFA, 0x1F},
        {"blue, slow, compressor off, spokes", 0x0530,
         [](TScopForm& f) {
             Find<QComboBox>(f, "ColorBox")->setCurrentIndex(3);
             Find<QRadioButton>(f, "RadioSlow")->setChecked(true);
             Find<QCheckBox>(f, "CheckCompressor")->setChecked(true);
             Find<QRadioButton>(f, "rdoStar")->setChecked(true);
         },
         1, 0xFD, 0x2F},
        {"a 5.00 image gets the cloud pattern too", 0x0500, [](TScopForm&) {}, 2, 0xFA, 0x1F},
    };
    for (const Case& c : cases) {
        Bench b(c.version);
        const AddressTable t = b.image.addressTable();
        b.image.setWord(t.ScopOptionBaseAdr, 0x3300);
        b.image.setWord(t.MainOptionAdr, 0xF80F); // other bits set, phase bits clear
        b.snapshot();
        TScopForm form(b.image);
        form.FormShow();
        c.change(form);
        Click(form, "OKButton");
        EXPECT_EQ(b.changes(), (Changes{{t.ScopOptionBaseAdr + 1, c.colour}, {t.MainOptionAdr, c.mainHigh},
                                        {t.MainOptionAdr + 1, c.mainLow}}))
            << c.name;
        EXPECT_TRUE(b.image.modified()) << c.name;
    }

    Bench b;
    b.snapshot();
    TScopForm form(b.image);
    form.FormShow();
    Find<QRadioButton>(form, "RadioSlow")->setChecked(true);
    Click(form, "CancelButton");
    EXPECT_EQ(b.changes(), Changes{});
    EXPECT_FALSE(b.image.modified());
}

// ---------------------------------------------------------------- gain

struct GainBench : Bench {
    GainBench() : Bench(0x0530) { snapshot(); }
    // The auto update's timer, run by hand.
    std::function<void()> pendingTimer;
    int timerMs = 0;
    TGainForm form{image, prompter, live, [this](int ms, std::function<void()> action) {
                       timerMs = ms;
                       pendingTimer = std::move(action);
                   }};
    QLineEdit& field() { return *Find<QLineEdit>(form, "Edit1"); }
    void runTimer()
    {
        if (auto action = std::exchange(pendingTimer, nullptr))
            action();
    }
};

TEST(GainForm, OpensInItsModeWithTheGivenValue)
{
    const std::pair<GainMode, const char*> modes[] = {{GainMode::Output, "Set Output Gain. (dB)"},
                                                      {GainMode::Master, "Set Master Group Gain. (dB)"},
                                                      {GainMode::Analogue, "Set Analogue Group Gain. (dB)"},
                                                      {GainMode::Digital, "Set Digital Group Gain. (dB)"}};
    for (const auto& [mode, caption] : modes) {
        GainBench b;
        b.form.FormShow(mode, -35, {35});
        EXPECT_EQ(Find<QGroupBox>(b.form, "GroupBox1")->title(), caption);
        EXPECT_EQ(b.field().text(), "-3,5");
        EXPECT_FALSE(Find<QCheckBox>(b.form, "CheckBox1")->isEnabled()) << "offline: no auto update";
    }
    GainBench b;
    b.live.remote = true;
    b.form.FormShow(GainMode::Output, 120, {35});
    EXPECT_EQ(b.field().text(), "12,0");
    EXPECT_TRUE(Find<QCheckBox>(b.form, "CheckBox1")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(b.form, "CancelButton")->isEnabled());
}

TEST(GainForm, StepsByATenthWithinTheRange)
{
    GainBench b;
    b.form.FormShow(GainMode::Output, 205, {33});
    Click(b.form, "SpinUp");
    EXPECT_EQ(b.field().text(), "20,6");
    for (int k = 0; k < 10; ++k)
        Click(b.form, "SpinUp");
    EXPECT_EQ(b.field().text(), "21,0");
    QWheelEvent down(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&b.form, &down);
    EXPECT_EQ(b.field().text(), "20,9");
    b.field().setText("x");
    Click(b.form, "SpinDown");
    EXPECT_EQ(b.field().text(), "x") << "an unreadable field is left alone";
    EXPECT_EQ(b.changes(), Changes{});
}

TEST(GainForm, OkStoresOfflineAndRefusesUnreadableText)
{
    GainBench b;
    const int base = b.image.addressTable().OutputGainBaseAdr;
    b.form.FormShow(GainMode::Output, 0, {40, 33});
    b.field().setText("x1");
    Click(b.form, "OKButton");
    EXPECT_EQ(b.prompter.texts(), std::vector<std::string>{kInvalidGainMessage});
    EXPECT_EQ(b.form.result(), QDialog::Rejected) << "still open";
    EXPECT_EQ(b.changes(), Changes{});

    b.field().setText("3");
    Click(b.form, "OKButton");
    EXPECT_EQ(b.form.result(), QDialog::Accepted);
    EXPECT_EQ(b.changes(), (Changes{{base + 1, 0x1E}, {base + 15, 0x1E}}));
    EXPECT_TRUE(b.live.calls.empty());

    GainBench group;
    const int master = group.image.addressTable().GroupGainMasterAdr;
    group.form.FormShow(GainMode::Master, 0, {34, 35, 36});
    group.field().setText("-1,0");
    Click(group.form, "OKButton");
    EXPECT_EQ(group.changes(), (Changes{{master, 0xFF}, {master + 1, 0xF6}}));

    GainBench cancelled;
    cancelled.form.FormShow(GainMode::Output, 0, {33});
    cancelled.field().setText("5");
    Click(cancelled.form, "CancelButton");
    EXPECT_EQ(cancelled.changes(), Changes{});
}

TEST(GainForm, InRemoteControlEachSelectedOutputIsSetLive)
{
    GainBench b;
    b.live.remote = true;
    b.form.FormShow(GainMode::Output, 0, {36, 35});
    b.field().setText("-4,5");
    Click(b.form, "OKButton");
    EXPECT_EQ(b.live.calls, (std::vector<std::string>{"gain 35,-45", "gain 36,-45"}));
    EXPECT_EQ(b.changes(), Changes{}) << "the instrument's gain, not the image's";
    EXPECT_TRUE(b.prompter.texts().empty());

    for (const GainReply reply : {GainReply::Refused, GainReply::None}) {
        GainBench refused;
        refused.live.remote = true;
        refused.live.gainReply = reply;
        refused.form.FormShow(GainMode::Output, 0, {35, 36});
        Click(refused.form, "OKButton");
        EXPECT_EQ(refused.prompter.texts(),
                  std::vector<std::string>{"The gain of outputs 35, 36 was not set in the RVT."});
        EXPECT_EQ(refused.form.result(), QDialog::Accepted);
    }
}

TEST(GainForm, AutoUpdateSendsAfterTheLastStepAndCancelPutsItBack)
{
    GainBench b;
    b.live.remote = true;
    b.live.gains = {{35, -20}, {36, 15}};
    b.form.FormShow(GainMode::Output, -20, {35, 36});
    auto& autoUpdate = *Find<QCheckBox>(b.form, "CheckBox1");
    autoUpdate.click();
    EXPECT_FALSE(Find<QPushButton>(b.form, "CancelButton")->isEnabled());
    Click(b.form, "SpinUp");
    Click(b.form, "SpinUp");
    EXPECT_EQ(b.timerMs, TGainForm::kAutoUpdateMs);
    EXPECT_TRUE(b.live.calls.empty()) << "nothing before the timer runs out";
    b.runTimer();
    EXPECT_EQ(b.live.calls, (std::vector<std::string>{"query 35", "gain 35,-18", "query 36", "gain 36,-18"}));
    EXPECT_EQ(b.form.result(), 0) << "the timer does not close the dialog";

    b.live.calls.clear();
    Click(b.form, "SpinDown");
    autoUpdate.click(); // off again: the pending update is dropped
    EXPECT_TRUE(Find<QPushButton>(b.form, "CancelButton")->isEnabled());
    b.runTimer();
    EXPECT_TRUE(b.live.calls.empty());
    Click(b.form, "CancelButton");
    EXPECT_EQ(b.live.calls, (std::vector<std::string>{"gain 35,-20", "gain 36,15"})) << "Cancel changes nothing";

    GainBench ok;
    ok.live.remote = true;
    ok.form.FormShow(GainMode::Output, 0, {35});
    Find<QCheckBox>(ok.form, "CheckBox1")->click();
    Click(ok.form, "SpinUp");
    ok.runTimer();
    Click(ok.form, "OKButton");
    ok.live.calls.clear();
    ok.form.reject();
    EXPECT_TRUE(ok.live.calls.empty()) << "after OK nothing is put back";
}

// ---------------------------------------------------------------- lock code

TEST(LockForm, OpensWithTheCodeAndTakesOnlyDigits)
{
    Bench b;
    for (int k = 0; k < 4; ++k)
        b.image.setWord(LockCodeAdr + 2 * k, 0x0030);
    b.snapshot();
    TLockForm form(b.image, b.prompter);
    form.FormShow();
    auto& edit = *Find<QLineEdit>(form, "LockEdit");
    auto& disable = *Find<QCheckBox>(form, "WriteLockCheck");
    EXPECT_EQ(edit.text(), "0000");
    EXPECT_TRUE(disable.isChecked());
    EXPECT_FALSE(edit.isEnabled());

    disable.click();
    EXPECT_TRUE(edit.isEnabled());
    edit.clear();
    QTest::keyClicks(&edit, "1a2-b3");
    EXPECT_EQ(edit.text(), "123");
    Click(form, "OKButton");
    EXPECT_EQ(b.prompter.texts(), std::vector<std::string>{"Please enter a four digit number."});
    EXPECT_EQ(b.changes(), Changes{});

    QTest::keyClicks(&edit, "4");
    edit.setCursorPosition(1);
    QTest::keyClicks(&edit, "9");
    EXPECT_EQ(edit.text(), "1934") << "a full field: the digit after the caret is replaced";
    Click(form, "OKButton");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(b.changes(), (Changes{{LockCodeAdr + 1, '1'}, {LockCodeAdr + 3, '9'}, {LockCodeAdr + 5, '3'},
                                    {LockCodeAdr + 7, '4'}}));
}

TEST(LockForm, AnUnreadableCodeOpensAsNoLockWithoutChangingTheImage)
{
    Bench b;
    b.image.setWord(LockCodeAdr, 0x1234);
    b.snapshot();
    TLockForm form(b.image, b.prompter);
    form.FormShow();
    EXPECT_EQ(Find<QLineEdit>(form, "LockEdit")->text(), "0000");
    Click(form, "CancelButton");
    EXPECT_EQ(b.changes(), Changes{});
    EXPECT_FALSE(b.image.modified());

    form.FormShow();
    Click(form, "OKButton");
    EXPECT_EQ(b.changes(), (Changes{{LockCodeAdr, 0x00}, {LockCodeAdr + 1, '0'}, {LockCodeAdr + 3, '0'},
                                    {LockCodeAdr + 5, '0'}, {LockCodeAdr + 7, '0'}}));
}

// ---------------------------------------------------------------- LCD options

TEST(LcdOptionsForm, BacklightAndThemeTicks)
{
    for (const uint16_t version : {0x0520, 0x0530}) {
        Bench b(version);
        const int backlight = b.image.addressTable().BacklightAdr;
        b.image.setLowByte(backlight, 3);
        b.image.setPresetName(4, "Studio");
        b.image.setBit(OptionsBlock(4), 6, true);
        b.snapshot();
        int mainSlider = -1;
        TLCDOptionsForm form(b.image, [&](int position) { mainSlider = position; });
        form.FormShow();
        auto& list = *Find<QListWidget>(form, "ThemeCheckList");
        ASSERT_EQ(list.count(), 11);
        EXPECT_EQ(list.item(4)->text(), "Preset 5 - Studio    ");
        EXPECT_EQ(list.item(4)->checkState(), Qt::Checked);
        EXPECT_EQ(list.item(0)->checkState(), Qt::Unchecked);
        EXPECT_EQ(Find<QSlider>(form, "BacklightBar")->value(), 3);

        Click(form, "OKButton");
        EXPECT_EQ(b.changes(), Changes{}) << version;
        EXPECT_FALSE(b.image.modified()) << "nothing changed";
        EXPECT_EQ(mainSlider, 3);

        form.FormShow();
        list.item(0)->setCheckState(Qt::Checked);
        list.item(4)->setCheckState(Qt::Unchecked);
        Click(form, "OKButton");
        EXPECT_EQ(b.changes(), (Changes{{OptionsBlock(0), b.before[size_t(OptionsBlock(0))] | 0x40},
                                        {OptionsBlock(4), b.before[size_t(OptionsBlock(4))] & ~0x40}}));
        EXPECT_TRUE(b.image.modified()) << "changed ticks need saving too";

        b.snapshot();
        form.FormShow();
        Find<QSlider>(form, "BacklightBar")->setValue(6);
        Click(form, "OKButton");
        EXPECT_EQ(b.changes(), (Changes{{backlight + 1, 6}})) << version;
        EXPECT_EQ(mainSlider, 6);

        b.snapshot();
        form.FormShow();
        Find<QSlider>(form, "BacklightBar")->setValue(1);
        list.item(7)->setCheckState(Qt::Checked);
        Click(form, "CancelButton");
        EXPECT_EQ(b.changes(), Changes{});
        EXPECT_FALSE(b.image.modified());
        EXPECT_EQ(mainSlider, 6);
    }
}

// ---------------------------------------------------------------- theme

TEST(ThemeOptionForm, ColoursInTheImageAndPatchedLive)
{
    Bench b;
    const ThemeCodes stored{1, 2, 3, 4}; // background, windows, goniometer, negative phase
    StoreThemeCodes(b.image, stored);
    b.snapshot();
    bool debug = false;
    TfrmThemeOption form(b.image, b.prompter, b.live, [&] { return debug; });
    EXPECT_FALSE(form.offered());
    b.live.remote = true;
    EXPECT_FALSE(form.offered()) << "debug mode too";
    debug = true;
    EXPECT_TRUE(form.offered());

    form.FormShow();
    auto& name = *Find<QComboBox>(form, "ComboColorName");
    auto& colour = *Find<QComboBox>(form, "ColorBox1");
    EXPECT_EQ(name.currentText(), "Screen Background.");
    EXPECT_EQ(colour.currentText(), "Blue");
    name.setCurrentIndex(GoniometerLines);
    EXPECT_EQ(colour.currentText(), "Aqua");
    colour.setCurrentIndex(7);
    emit colour.activated(7);
    name.setCurrentIndex(Windows);
    colour.setCurrentIndex(5);
    emit colour.activated(5);
    Find<QCheckBox>(form, "chkTheme")->setChecked(true);
    Click(form, "OKButton");

    EXPECT_EQ(b.changes(), (Changes{{0x0100, b.before[0x100] | 0x40}, {0x041B, 7}, {0x0480, 5}}));
    EXPECT_FALSE(b.image.modified()) << "the theme does not ask to be saved";
    EXPECT_EQ(b.live.calls, (std::vector<std::string>{"options block", "patch 1c400 27=7 25=4",
                                                      "patch 1c480 0=5 2=1", "pause 500", "take over"}));
    EXPECT_TRUE(b.prompter.texts().empty());

    b.snapshot();
    b.live.calls.clear();
    form.FormShow();
    colour.setCurrentIndex(0);
    emit colour.activated(0);
    Click(form, "CancelButton");
    EXPECT_EQ(b.changes(), Changes{});
    EXPECT_TRUE(b.live.calls.empty());
}

// ---------------------------------------------------------------- Leq(m)

TEST(LeqmForm, ColoursAndTripLevel)
{
    struct Case {
        uint16_t colours;
        int trip;
        const char* graph;
        const char* sum;
        int level;
    };
    const Case cases[] = {
        {0x0602, 0x0055, "Green", "Yellow", 85},
        {0x0105, 0x005D, "Fuchsia", "Blue", 93},
        {0x0000, 0x0064, "Green", "Yellow", 85}, // codes and a level of 100 not offered
        {0x0807, 0x004E, "White", "Yellow", 78},
    };
    for (const Case& c : cases) {
        Bench b;
        const AddressTable t = b.image.addressTable();
        b.image.setWord(t.LeqGraphColor, c.colours);
        b.image.setWord(t.LeqTrip, uint16_t(c.trip));
        b.snapshot();
        TLeqmForm form(b.image);
        form.FormShow();
        EXPECT_EQ(Find<QComboBox>(form, "ColorBox")->currentText(), c.graph) << std::hex << c.colours;
        EXPECT_EQ(Find<QComboBox>(form, "ColorSumBox")->currentText(), c.sum) << std::hex << c.colours;
        EXPECT_EQ(Find<QSpinBox>(form, "LevelEdit")->value(), c.level);
        Click(form, "CancelButton");
        EXPECT_EQ(b.changes(), Changes{});
    }

    Bench b;
    const AddressTable t = b.image.addressTable();
    b.image.setWord(t.LeqGraphColor, 0x0602);
    b.image.setWord(t.LeqTrip, 0x0055);
    b.snapshot();
    TLeqmForm form(b.image);
    form.FormShow();
    Find<QComboBox>(form, "ColorBox")->setCurrentIndex(0);    // red
    Find<QComboBox>(form, "ColorSumBox")->setCurrentIndex(5); // aqua
    auto& level = *Find<QSpinBox>(form, "LevelEdit");
    level.selectAll();
    QTest::keyClicks(&level, "99");
    Click(form, "OKButton");
    EXPECT_EQ(b.changes(), (Changes{{t.LeqGraphColor, 0x03}, {t.LeqGraphColor + 1, 0x04}}))
        << "a level typed above the range is not taken";
    EXPECT_TRUE(b.image.modified());

    form.FormShow();
    level.selectAll();
    QTest::keyClicks(&level, "80");
    Click(form, "OKButton");
    EXPECT_EQ(b.image.word(t.LeqTrip), 80);
}

// ---------------------------------------------------------------- preset options

TEST(PresetOptionsForm, NameAndStartUp)
{
    Bench b(0x0530);
    b.image.setPresetName(2, "Live Show");
    b.image.setLowByte(StartupPresetAdr, 4);
    b.image.setLowByte(StartupApplicationAdr, 14);
    b.snapshot();
    TPresetOptionsForm form(b.image, b.prompter, b.live);
    form.FormShow();
    auto& name = *Find<QLineEdit>(form, "PresetNameEdit");
    auto& preset = *Find<QComboBox>(form, "ComboStartupPreset");
    auto& application = *Find<QComboBox>(form, "ComboStartupApplication");
    EXPECT_EQ(name.text(), "Live Show ");
    EXPECT_EQ(name.selectedText(), name.text());
    EXPECT_EQ(preset.count(), 11);
    EXPECT_TRUE(preset.currentText().startsWith("Preset 5 - "));
    EXPECT_EQ(application.currentText(), "Start Menu") << "a stored 14 is no entry";
    EXPECT_TRUE(preset.isEnabled());

    name.setText("St\xC3\xA9"); // a character the instrument cannot show
    Click(form, "OKButton");
    EXPECT_EQ(b.prompter.texts(), std::vector<std::string>{"The text contains one or more illegal characters."});
    EXPECT_EQ(b.changes(), Changes{});

    name.setText("ABC");
    preset.setCurrentIndex(10);
    application.setCurrentIndex(13);
    Click(form, "OKButton");
    const int at = PresetNameBaseAdr + 20;
    EXPECT_EQ(b.image.presetName(2), "ABC       ");
    // "Live Show " became "ABC       ", pair-reversed.
    EXPECT_EQ(b.changes(), (Changes{{at, 'B'}, {at + 1, 'A'}, {at + 2, ' '}, {at + 3, 'C'}, {at + 4, ' '},
                                    {at + 6, ' '}, {at + 7, ' '}, {at + 9, ' '}, {StartupPresetAdr + 1, 10},
                                    {StartupApplicationAdr + 1, 13}}));
    EXPECT_TRUE(b.live.calls.empty());
}

TEST(PresetOptionsForm, StartUpListsRestBeforeVersion5AndInRemoteControl)
{
    for (const bool remote : {false, true}) {
        Bench b(remote ? 0x0530 : 0x0480);
        b.live.remote = remote;
        b.image.setLowByte(StartupPresetAdr, 4);
        b.snapshot();
        TPresetOptionsForm form(b.image, b.prompter, b.live);
        form.FormShow();
        auto& preset = *Find<QComboBox>(form, "ComboStartupPreset");
        auto& application = *Find<QComboBox>(form, "ComboStartupApplication");
        EXPECT_FALSE(preset.isEnabled());
        EXPECT_FALSE(application.isEnabled());
        EXPECT_TRUE(preset.currentText().startsWith("Preset 1 - "));
        EXPECT_EQ(application.currentText(), "Full Feature Mode");
        Find<QLineEdit>(form, "PresetNameEdit")->setText("Hall");
        Click(form, "OKButton");
        const int at = PresetNameBaseAdr + 20;
        EXPECT_EQ(b.changes(), (Changes{{at, 'a'}, {at + 1, 'H'}, {at + 2, 'l'}, {at + 3, 'l'}, {at + 4, ' '},
                                        {at + 5, ' '}, {at + 6, ' '}, {at + 7, ' '}, {at + 8, ' '}, {at + 9, ' '}}))
            << "only the name";
        EXPECT_EQ(b.live.calls, remote ? std::vector<std::string>{"name 2 Hall      "} : std::vector<std::string>{});
    }
}

// ---------------------------------------------------------------- scale options

TEST(ScaleForm, ScaleNumberAndFlags)
{
    struct Case {
        uint16_t version;
        uint8_t stored;
        int shown;
        uint8_t written; // after choosing "Scale #3"
    };
    const Case cases[] = {
        {0x0480, 0x52, 2, 0x52},
        {0x0480, 0x25, 5, 0x22},
        {0x0530, 0x25, 2, 0x25},
        {0x0530, 0x52, 5, 0x22},
    };
    for (const Case& c : cases) {
        Bench b(c.version);
        const AddressTable t = b.image.addressTable();
        b.image.setByte(t.ScaleNoAdr, c.stored);
        b.image.setLowByte(t.ScaleOptionAdr, 0x48); // peak hold and dual
        b.image.writeText(0x0500 + 2 * 0x100, "PPM3", 2);
        b.snapshot();
        TScaleForm form(b.image);
        form.FormShow();
        EXPECT_EQ(form.windowTitle(), QString::fromStdString(PresetListEntry(b.image, 2)));
        auto& list = *Find<QComboBox>(form, "ScaleCombo");
        EXPECT_EQ(list.count(), 7);
        EXPECT_EQ(list.itemText(2), "Scale #3 - PPM3");
        EXPECT_EQ(list.itemText(3), "Scale #4 -     ") << "an empty slot";
        EXPECT_EQ(list.currentIndex(), c.shown) << std::hex << int(c.stored);
        EXPECT_TRUE(Find<QCheckBox>(form, "PeakCheck")->isChecked());
        EXPECT_TRUE(Find<QCheckBox>(form, "DualCheck")->isChecked());
        list.setCurrentIndex(2);
        Find<QCheckBox>(form, "DualCheck")->setChecked(false);
        Click(form, "OKButton");
        Changes expected{{t.ScaleOptionAdr + 1, 0x08}};
        if (c.written != c.stored)
            expected[t.ScaleNoAdr] = c.written;
        EXPECT_EQ(b.changes(), expected) << std::hex << int(c.stored);
        EXPECT_TRUE(b.image.modified());
    }

    // A stored number without an entry stays until one is chosen.
    Bench b;
    const AddressTable t = b.image.addressTable();
    b.image.setByte(t.ScaleNoAdr, 0x91);
    b.snapshot();
    TScaleForm form(b.image);
    form.FormShow();
    EXPECT_EQ(Find<QComboBox>(form, "ScaleCombo")->currentIndex(), -1);
    Find<QCheckBox>(form, "PeakCheck")->setChecked(true);
    Click(form, "OKButton");
    EXPECT_EQ(b.changes(), (Changes{{t.ScaleOptionAdr + 1, 0x08}}));

    b.snapshot();
    form.FormShow();
    Find<QComboBox>(form, "ScaleCombo")->setCurrentIndex(0);
    Click(form, "CancelButton");
    EXPECT_EQ(b.changes(), Changes{});
}

} // namespace
} // namespace qv
