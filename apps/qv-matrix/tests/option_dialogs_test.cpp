// QV-Matrix's option dialogs in the whole program against the simulated
// instrument on virtual time: the menus and popups open them on the
// selected preset, offline they change the image only, and in remote
// control their live writes reach the instrument, which may refuse them or
// go silent while a dialog is open.
#include "config/preset_file.h"
#include "matrix/channel_options.h"
#include "options/lock_code.h"
#include "options/ui/gain_form.h"
#include "options/ui/ppm_option_form.h"
#include "options/ui/preset_options_form.h"
#include "options/ui/theme_option_form.h"
#include "platform/tests/qt_test_app.h"
#include "program_fixture.h"
#include "sim/preset_memory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

using qv::Answer;
using qv::test::Program;

// Answers every dialog the program runs with `answer` and notes its name.
struct Dialogs {
    explicit Dialogs(Program& p)
    {
        p.app->optionDialogs().setDialogRunner([this](QDialog& dialog) {
            shown.push_back(dialog.objectName().toStdString());
            return answer ? answer(dialog) : QDialog::Rejected;
        });
    }
    std::function<int(QDialog&)> answer;
    std::vector<std::string> shown;
};

int Ok(QDialog& dialog)
{
    dialog.findChild<QPushButton*>("OKButton")->click();
    return dialog.result();
}

bool Upload(Program& p)
{
    p.trigger("mnuUpload");
    return p.grid().imageShown();
}

bool ConnectQuietly(Program& p)
{
    p.prompter.queueAnswer(Answer::No); // the uploaded image's changes
    const bool connected = StartRemote(p);
    p.prompter.clearShown(); // what the upload and the connect said
    return connected;
}

size_t Lines(const Program& p)
{
    return p.instrument.textLines().size();
}

std::vector<std::string> LinesSince(const Program& p, size_t from)
{
    const auto& lines = p.instrument.textLines();
    return std::vector<std::string>(lines.begin() + long(from), lines.end());
}

bool Has(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(OptionDialogs, MenuEntriesOpenTheirDialogsOnTheSelectedPreset)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    Dialogs d(p);
    // Nothing to edit yet.
    p.trigger("mnuScaleOptions");
    EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{qv::OptionDialogs::kNoConfigurationText});
    EXPECT_TRUE(d.shown.empty());

    ASSERT_TRUE(Upload(p));
    p.image().setModified(false);
    p.choosePreset(3);
    const auto before = p.image().bytes();
    const std::pair<const char*, const char*> entries[] = {
        {"mnuPresetOptions", "PresetOptionsForm"}, {"mnuLCDOptions", "LCDOptionsForm"},
        {"mnuLeqOptions", "LeqmForm"},             {"mnuScaleOptions", "ScaleForm"},
        {"mnuLockCode", "LockForm"},
    };
    for (const auto& [entry, dialog] : entries) {
        ASSERT_TRUE(p.form().action(entry)->isEnabled()) << entry;
        p.trigger(entry);
        ASSERT_FALSE(d.shown.empty()) << entry;
        EXPECT_EQ(d.shown.back(), dialog);
    }
    EXPECT_EQ(p.image().bytes(), before) << "Cancel changes nothing";
    EXPECT_FALSE(p.image().modified());

    // OK: the preset's field, the modified flag and the Save command.
    d.answer = [](QDialog& dialog) {
        dialog.findChild<QComboBox*>("ColorBox")->setCurrentIndex(0); // red
        return Ok(dialog);
    };
    const int lines = int(Lines(p));
    p.trigger("mnuLeqOptions");
    EXPECT_EQ(p.image().lowByte(qv::ExtensionBlock(2) + 0x0E), 4) << "preset 3's Leq(m) graph colour";
    EXPECT_TRUE(p.image().modified());
    EXPECT_TRUE(p.form().action("mnuSaveAs")->isEnabled());
    EXPECT_EQ(int(Lines(p)), lines) << "offline nothing is sent";

    // A new name shows in the preset list, the same preset chosen.
    d.answer = [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("PresetNameEdit")->setText("Hall");
        return Ok(dialog);
    };
    p.trigger("mnuPresetOptions");
    EXPECT_EQ(p.presets().currentText(), "Preset 3 - Hall      ");
    EXPECT_EQ(p.image().presetName(2), "Hall      ");
}

TEST(OptionDialogs, AnOpenedFileOffersTheDialogsOfItsLayout)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    qv::ConfigImage image;
    image.setImageVersion(0x0500);
    const std::string path = p.folders.work.filePath("old.PRE").toStdString();
    ASSERT_TRUE(qv::SaveConfiguration(path, image, p.prompter));
    ASSERT_TRUE(p.form().hooks().openFile(QString::fromStdString(path)));
    EXPECT_TRUE(p.form().action("mnuPresetOptions")->isEnabled());
    EXPECT_TRUE(p.form().action("mnuLCDOptions")->isEnabled());
    EXPECT_TRUE(p.form().action("mnuLeqOptions")->isEnabled());
    EXPECT_FALSE(p.form().action("mnuLockCode")->isEnabled()) << "a lock code from 5.10";
}

TEST(OptionDialogs, PopupsOpenThePpmPhaseAndGainDialogs)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    Dialogs d(p);
    ASSERT_TRUE(Upload(p));
    emit p.grid().ppmOptionsRequested(3, {3}, {3});
    emit p.grid().phaseOptionsRequested({55});
    emit p.grid().gainRequested(35, -45, {35});
    d.answer = [](QDialog& dialog) {
        auto* gain = qobject_cast<qv::TGainForm*>(&dialog);
        EXPECT_EQ(gain->mode(), qv::GainMode::Digital);
        EXPECT_EQ(dialog.findChild<QLineEdit*>("Edit1")->text(), "1,5");
        return QDialog::Rejected;
    };
    emit p.grid().groupGainRequested(qv::GroupDigital, 15, {35});
    EXPECT_EQ(d.shown, (std::vector<std::string>{"PPMOptionForm", "ScopForm", "GainForm", "GainForm"}));
}

TEST(OptionDialogs, PpmOptionsReachTheInstrumentInRemoteControl)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    Dialogs d(p);
    ASSERT_TRUE(Upload(p));
    ASSERT_TRUE(ConnectQuietly(p));
    const size_t from = Lines(p);
    d.answer = [](QDialog& dialog) {
        dialog.findChild<QComboBox*>("ColorBox")->setCurrentIndex(3); // blue
        return Ok(dialog);
    };
    emit p.grid().ppmOptionsRequested(20, {20}, {20});
    p.idle(100);
    const uint32_t word = qv::sim::presetOptionsBlock(1) + 0x2C + 2 * 20;
    EXPECT_EQ(p.instrument.peek(word + 1) & 0x0F, 3) << "PPM channel 20's bar colour in the instrument";
    EXPECT_TRUE(Has(LinesSince(p, from), ".SP15,22"));
    EXPECT_EQ(p.instrument.live().options[0x2C + 2 * 20 + 1] & 0x0F, 3) << "and taken over";
    EXPECT_TRUE(p.prompter.texts().empty());
}

TEST(OptionDialogs, GainsAreSetLiveAndAutoUpdatedAndCancelPutsThemBack)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    Dialogs d(p);
    ASSERT_TRUE(Upload(p));

    // Offline: the image, nothing on the line.
    const size_t offline = Lines(p);
    d.answer = [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("Edit1")->setText("3");
        return Ok(dialog);
    };
    emit p.grid().gainRequested(40, 0, {33, 40});
    const int base = p.image().addressTable().OutputGainBaseAdr;
    EXPECT_EQ(p.image().word(base), 30);
    EXPECT_EQ(p.image().word(base + 14), 30);
    EXPECT_EQ(Lines(p), offline);

    ASSERT_TRUE(ConnectQuietly(p));
    size_t from = Lines(p);
    d.answer = [](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("Edit1")->setText("-4,5");
        return Ok(dialog);
    };
    emit p.grid().gainRequested(35, 0, {35});
    EXPECT_EQ(LinesSince(p, from), std::vector<std::string>{".SG35,-45"});
    EXPECT_EQ(p.instrument.live().gain(35), -45);

    // Auto update: sent 500 ms after the last step; Cancel puts it back.
    from = Lines(p);
    d.answer = [&](QDialog& dialog) {
        dialog.findChild<QCheckBox*>("CheckBox1")->click();
        EXPECT_FALSE(dialog.findChild<QPushButton*>("CancelButton")->isEnabled());
        dialog.findChild<QToolButton*>("SpinUp")->click();
        p.idle(300);
        dialog.findChild<QToolButton*>("SpinUp")->click();
        p.idle(400);
        EXPECT_EQ(p.instrument.live().gain(35), -45) << "not yet";
        p.idle(200);
        EXPECT_EQ(p.instrument.live().gain(35), -43);
        dialog.findChild<QCheckBox*>("CheckBox1")->click();
        dialog.findChild<QPushButton*>("CancelButton")->click();
        return dialog.result();
    };
    emit p.grid().gainRequested(35, -45, {35});
    EXPECT_EQ(LinesSince(p, from), (std::vector<std::string>{".LG35,-", ".SG35,-43", ".SG35,-45"}));
    EXPECT_EQ(p.instrument.live().gain(35), -45);
    EXPECT_TRUE(p.prompter.texts().empty());
}

TEST(OptionDialogs, APresetNameIsWrittenLive)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    Dialogs d(p);
    ASSERT_TRUE(Upload(p));
    ASSERT_TRUE(ConnectQuietly(p));
    ASSERT_TRUE(p.form().action("mnuPresetOptions")->isEnabled());
    d.answer = [](QDialog& dialog) {
        EXPECT_FALSE(dialog.findChild<QComboBox*>("ComboStartupPreset")->isEnabled());
        dialog.findChild<QLineEdit*>("PresetNameEdit")->setText("Studio");
        return Ok(dialog);
    };
    const auto startup = p.instrument.peek(qv::kImageBaseAddress + qv::StartupPresetAdr, 2);
    p.trigger("mnuPresetOptions");
    p.idle(100);
    EXPECT_EQ(p.instrument.live().presetNames[0], "Studio    ");
    EXPECT_EQ(p.presets().currentText(), "Preset 1 - Studio    ");
    EXPECT_EQ(p.instrument.peek(qv::kImageBaseAddress + qv::StartupPresetAdr, 2), startup);
    EXPECT_TRUE(p.prompter.texts().empty());
}

TEST(OptionDialogs, RefusedOrUnansweredLiveWritesAreSaid)
{
    struct Case {
        const char* name;
        std::function<void(qv::sim::InstrumentOptions&)> fault;
    };
    const Case cases[] = {
        {"locked", [](qv::sim::InstrumentOptions& o) { o.writeLocked = true; }},
        {"gone", [](qv::sim::InstrumentOptions& o) { o.noAnswer = true; }},
    };
    for (const Case& c : cases) {
        Program p;
        ASSERT_TRUE(p.app->start());
        Dialogs d(p);
        ASSERT_TRUE(Upload(p));
        ASSERT_TRUE(ConnectQuietly(p));
        // The fault comes while the dialog is open.
        d.answer = [&](QDialog& dialog) {
            c.fault(p.instrument.options());
            if (auto* name = dialog.findChild<QLineEdit*>("PresetNameEdit"))
                name->setText("Studio");
            return Ok(dialog);
        };
        emit p.grid().ppmOptionsRequested(20, {20}, {20});
        emit p.grid().gainRequested(35, 0, {35});
        p.trigger("mnuPresetOptions");
        EXPECT_EQ(p.prompter.texts(), (std::vector<std::string>{qv::TPPMOptionForm::kNotWrittenText,
                                                                "The gain of output 35 was not set in the RVT.",
                                                                qv::TPresetOptionsForm::kNotWrittenText}))
            << c.name;
        EXPECT_EQ(p.image().presetName(0), "Studio    ") << c.name << ": the image takes the name anyway";
    }
}

TEST(OptionDialogs, TheThemeButtonShowsInDebugModeDuringRemoteControl)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    Dialogs d(p);
    QAction* theme = p.form().findChild<QAction*>("actTheme");
    ASSERT_NE(theme, nullptr);
    p.app->debugMode().set(true);
    EXPECT_FALSE(theme->isVisible()) << "not connected";
    ASSERT_TRUE(Upload(p));
    ASSERT_TRUE(ConnectQuietly(p));
    EXPECT_TRUE(theme->isVisible());
    p.app->debugMode().set(false);
    EXPECT_FALSE(theme->isVisible());
    p.app->debugMode().set(true);
    EXPECT_TRUE(theme->isVisible());

    const size_t from = Lines(p);
    d.answer = [](QDialog& dialog) {
        auto* names = dialog.findChild<QComboBox*>("ComboColorName");
        auto* colours = dialog.findChild<QComboBox*>("ColorBox1");
        names->setCurrentIndex(qv::GoniometerLines);
        colours->setCurrentIndex(5);
        emit colours->activated(5);
        names->setCurrentIndex(qv::ScreenBackground);
        colours->setCurrentIndex(3);
        emit colours->activated(3);
        return Ok(dialog);
    };
    theme->trigger();
    p.idle(100);
    EXPECT_EQ(d.shown, std::vector<std::string>{"frmThemeOption"});
    EXPECT_EQ(p.instrument.peek(qv::kImageBaseAddress + 0x041B), 5);
    EXPECT_EQ(p.instrument.peek(qv::kImageBaseAddress + 0x0482), 3);
    EXPECT_TRUE(Has(LinesSince(p, from), ".SP15,22"));
    EXPECT_TRUE(p.prompter.texts().empty());

    p.prompter.queueAnswer(Answer::Yes);
    p.trigger("mnuDisconnect");
    EXPECT_FALSE(theme->isVisible());
}

} // namespace
