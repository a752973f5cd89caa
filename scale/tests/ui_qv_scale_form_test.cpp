// QV-Scale's window offscreen, on a library laid out byte by byte here
// rather than by the library code under test, with a program around it
// that only records what the editor asks of it.
#include "config/config_image.h"
#include "platform/host/scripted_prompter.h"
#include "platform/tests/qt_test_app.h"
#include "scale/scale_editor_host.h"
#include "scale/ui/qv_scale_form.h"
#include "scale/ui/scale_view_panel.h"
#include "scale_file_test.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using qv::Answer;
using Bytes = std::vector<uint8_t>;

constexpr size_t kRecord = 2453;

// Scale 1 "FIX" (a stray 'z' after the name), "Leq", digital, "IEC 268-10
// Type I", reference 18 dB:
//   line 1  0 dB    Solid Red    "0"    (the entry's last byte 0xEE)
//   line 2  -2.25   Dashed White        (finer than the field shows)
//   line 3  -20     Solid White  "-20"
//   line 4  -40     Solid White  "-40"
//   line 5  -1      Overload
//   line 6  0       kind 9, which no list entry names
// and a note whose second line ends in a bare line feed.
// Scale 2 "K12 ": key 12 and dynamics 20, beyond the lists. Scale 19: a
// note of 2048 bytes. Scale 20 "LAST": "1630 II", not digital, one line.
Bytes FixtureLibrary()
{
    Bytes bytes(20 * kRecord, 0);
    const auto put = [&](size_t scale, size_t at, const std::string& b) {
        std::copy(b.begin(), b.end(), bytes.begin() + long((scale - 1) * kRecord + at));
    };
    const auto line = [&](size_t scale, size_t n, const std::string& value, const std::string& text, char kind) {
        const size_t at = 41 + 13 * (n - 1);
        put(scale, at, value);
        put(scale, at + 6, text);
        put(scale, at + 11, std::string(1, kind));
    };
    put(1, 0, std::string("\x03" "FIXz", 5));
    put(1, 5, "\x07");
    put(1, 6, std::string("\x05" "Fixed scale", 12));
    put(1, 35, std::string("\x85\0\0\0\0\x10", 6)); // 18.0
    line(1, 1, std::string(6, '\0'), std::string("\x01" "0", 2), 3);
    put(1, 41 + 12, "\xEE");
    line(1, 2, std::string("\x82\0\0\0\0\x90", 6), "", 2); // -2.25
    line(1, 3, std::string("\x85\0\0\0\0\xA0", 6), std::string("\x03" "-20", 4), 1);
    line(1, 4, std::string("\x86\0\0\0\0\xA0", 6), std::string("\x03" "-40", 4), 1);
    line(1, 5, std::string("\x81\0\0\0\0\x80", 6), "", 8); // -1.0
    line(1, 6, std::string(6, '\0'), "", 9);
    put(1, 405, "Fixture note.\r\nSecond line\n");

    put(2, 0, std::string("\x04" "K12 ", 5));
    put(2, 5, "\x0C");
    put(2, 34, "\x14");

    // Scale 19's note fills all 2048 bytes with bare line feeds: with CR LF
    // it would need more.
    std::string full;
    for (int n = 0; n < 1024; ++n)
        full += "a\n";
    put(19, 405, full);

    put(20, 0, std::string("\x04" "LAST", 5));
    put(20, 5, "\x09");
    put(20, 33, "\x01");
    line(20, 1, std::string("\x83\0\0\0\0\xC0", 6), std::string("\x02" "-6", 3), 5); // -6.0
    return bytes;
}

// The table of scale 1 as the instrument takes it, worked out by hand:
// F = 32767 at 18 dB, so the lines lie at 32767, 25289, 3277, 328 and 29204.
std::vector<uint16_t> FixtureTable()
{
    std::vector<uint16_t> words = {
        0x4946, 0x2058, 0x0600, 0, 0, 328, 32767, 0x8F9D, 180, 4, // header: "FIX ", law, lowest, highest, digital
        2, 0, 3277, 328,          // labelled Solid White: lines 3 and 4
        1, 2, 32767,              // labelled Solid Red: line 1
        1, 1, 25289,              // unlabelled Dashed White: line 2
        1, 7, 29204,              // the overload marker
        3,                        // labels
        3, 0x002D, 0x3032,        // "-20"
        3, 0x002D, 0x3034,        // "-40"
        1, 0x0030,                // "0"
    };
    words.resize(128, 0);
    return words;
}

std::vector<uint16_t> Words(const qv::ScaleTable& table)
{
    return {table.begin(), table.end()};
}

Bytes TableBytes(const std::vector<uint16_t>& words)
{
    Bytes bytes;
    for (uint16_t w : words)
        bytes.insert(bytes.end(), {uint8_t(w >> 8), uint8_t(w)});
    return bytes;
}

// The program around the editor: what it asked for, and a configuration.
struct RecordingHost : qv::ScaleEditorHost {
    bool identified = false;
    bool remote = false;
    bool loaded = true;
    bool mainEnabled = true;
    std::string last;
    std::vector<std::string> lastWritten;
    int restarts = 0;
    qv::ConfigImage image;

    bool instrumentIdentified() const override { return identified; }
    bool liveLink() const override { return false; }
    qv::MatrixTransfer* transferWindow() override { return nullptr; }
    void restartInstrument() override
    {
        ++restarts;
        mainEnabled = true; // as the program's restart leaves it
    }
    bool remoteControlOn() const override { return remote; }
    bool releaseRemoteControl() override { return false; }
    bool configurationLoaded() const override { return loaded; }
    void insertScale(int keyNo, const qv::ScaleTable& table) override { image.insertScale(keyNo, table); }
    void setMainWindowEnabled(bool enabled) override { mainEnabled = enabled; }
    std::string lastScaleFile() const override { return last; }
    void setLastScaleFile(const std::string& path) override
    {
        last = path;
        lastWritten.push_back(path);
    }
};

class ScaleForm : public qv::test::ScaleFileTest {
protected:
    QAction* action(const char* name) { return form.findChild<QAction*>(name); }
    QLineEdit* edit(const QString& name) { return form.findChild<QLineEdit*>(name); }
    QComboBox* list(const QString& name) { return form.findChild<QComboBox*>(name); }
    QString status() { return form.findChild<QLabel*>("StatusPanel")->text(); }
    QString entry(int number) { return list("ScaleNoEdit")->itemText(number - 1); }

    // As a user types into a field and presses Enter.
    void type(const QString& field, const QString& text)
    {
        QLineEdit* e = edit(field);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    void choose(const QString& name, int index)
    {
        list(name)->setCurrentIndex(index);
        emit list(name)->activated(index);
    }
    std::string openFixture()
    {
        const std::string file = write("fixture.dat", FixtureLibrary());
        prompter.queueText(file);
        action("mnuOpen")->trigger();
        return file;
    }

    RecordingHost host;
    qv::ScriptedPrompter prompter;
    qv::TQVScaleForm form{host, prompter, qv::ScaleLibrary{}};
};

TEST_F(ScaleForm, OpeningALibraryShowsItsScalesAndTable)
{
    EXPECT_EQ(form.windowTitle(), "QV-Scale V.2.42");
    EXPECT_EQ(entry(20), "Scale #20 - ");
    const QImage blank = form.preview().image();
    const std::string file = openFixture();

    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Open Scale File"});
    EXPECT_EQ(status(), QString::fromStdString("File: " + file));
    EXPECT_EQ(host.lastWritten, std::vector<std::string>{file});
    EXPECT_EQ(entry(1), "Scale #1 - FIX");
    EXPECT_EQ(entry(2), "Scale #2 - K12 ");
    EXPECT_EQ(entry(3), "Scale #3 - ");
    EXPECT_EQ(entry(20), "Scale #20 - LAST");
    EXPECT_FALSE(action("mnuSave")->isEnabled());
    EXPECT_FALSE(form.editor().changed());

    EXPECT_EQ(edit("ShortNameEdit")->text(), "FIX");
    EXPECT_EQ(list("KeyNoBox")->currentText(), "Leq");
    EXPECT_EQ(list("DynamicsBox")->currentText(), "IEC 268-10 Type I");
    EXPECT_EQ(edit("ReferenceEdit")->text(), "18.0");
    EXPECT_TRUE(form.findChild<QCheckBox*>("Scaleflag")->isChecked());
    EXPECT_EQ(edit("ValueEdit2")->text(), "-2.3");
    EXPECT_EQ(list("LineBox1")->currentText(), "Solid Red");
    EXPECT_EQ(list("LineBox5")->currentText(), "Overload");
    EXPECT_EQ(list("LineBox6")->currentIndex(), -1) << "kind 9";
    EXPECT_EQ(edit("TextEdit3")->text(), "-20");
    EXPECT_EQ(form.findChild<QPlainTextEdit*>("Note")->toPlainText(), "Fixture note.\nSecond line\n");

    EXPECT_EQ(Words(form.table()), FixtureTable());
    EXPECT_NE(form.preview().image(), blank);

    // Scale 2's codes have no list entries.
    action("mnuNext")->trigger();
    EXPECT_EQ(list("KeyNoBox")->currentIndex(), -1);
    EXPECT_EQ(list("DynamicsBox")->currentIndex(), -1);

    // A note longer as lines than its room is shown whole.
    choose("ScaleNoEdit", 18);
    EXPECT_EQ(form.findChild<QPlainTextEdit*>("Note")->toPlainText().size(), 2048);
}

TEST_F(ScaleForm, EditingALineRedrawsThePreviewAndTheTable)
{
    openFixture();
    const QImage before = form.preview().image();
    type("ValueEdit2", "-6");
    std::vector<uint16_t> expected = FixtureTable();
    expected[19] = 16422; // line 2 at -6 dB
    EXPECT_EQ(Words(form.table()), expected);
    EXPECT_NE(form.preview().image(), before);
    EXPECT_TRUE(form.editor().changed());
    EXPECT_TRUE(action("mnuSave")->isEnabled());

    // A label typed shows at once, trimmed of the blanks after it: line 2
    // joins the labelled lines.
    edit("TextEdit2")->selectAll();
    QTest::keyClicks(edit("TextEdit2"), "-6 ");
    expected = {2, 0, 3277, 328, 1, 1, 16422, 1, 2, 32767, 1, 7, 29204, 4,
                3, 0x002D, 0x3032, 3, 0x002D, 0x3034, 2, 0x362D, 1, 0x0030};
    const std::vector<uint16_t> header = FixtureTable();
    expected.insert(expected.begin(), header.begin(), header.begin() + 10);
    expected.resize(128, 0);
    EXPECT_EQ(Words(form.table()), expected);
    EXPECT_EQ(form.editor().current().lines[1].text.text(), "-6");
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Open Scale File"}) << "nothing else said";
}

TEST_F(ScaleForm, SavingWritesBackWhatWasReadByteForByte)
{
    const std::string fixture = openFixture();
    for (int n = 1; n < 20; ++n)
        action("mnuNext")->trigger(); // each scale shown and its fields committed
    EXPECT_FALSE(form.editor().changed()) << "looking changes nothing";
    const std::string copy = path("copy.dat");
    prompter.queueText(copy);
    action("mnuSaveAs")->trigger();
    EXPECT_EQ(read(copy), FixtureLibrary());
    EXPECT_EQ(status(), QString::fromStdString("File: " + copy));

    // Reopened (on scale 20 still) and one value of scale 1 changed: only
    // that value's six bytes differ.
    prompter.queueText(copy);
    action("mnuOpen")->trigger();
    EXPECT_EQ(edit("ShortNameEdit")->text(), "LAST");
    choose("ScaleNoEdit", 0);
    type("ValueEdit2", "-6");
    action("mnuSave")->trigger();
    Bytes expected = FixtureLibrary();
    const Bytes minus6 = {0x83, 0, 0, 0, 0, 0xC0};
    std::copy(minus6.begin(), minus6.end(), expected.begin() + 41 + 13);
    EXPECT_EQ(read(copy), expected);
    EXPECT_EQ(read(fixture), FixtureLibrary());
    EXPECT_FALSE(action("mnuSave")->isEnabled());
    EXPECT_FALSE(form.editor().changed());
}

TEST_F(ScaleForm, InsertReplacesExactlyTheSlotOfTheChosenKey)
{
    for (int a = 0; a < qv::kImageSize; ++a)
        host.image.setByte(a, uint8_t(a * 7));
    host.image.setModified(false);
    const qv::ConfigImage::Bytes image = host.image.bytes();
    openFixture();
    form.FormShow();
    ASSERT_TRUE(action("mnuInsertScale")->isEnabled());
    prompter.clearShown();

    prompter.queueAnswer(Answer::No);
    action("mnuInsertScale")->trigger();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Do you wish to replace the scale for [Leq] in the "
                                                         "currently loaded configuration file?"});
    EXPECT_EQ(host.image.bytes(), image);
    EXPECT_FALSE(host.image.modified());

    prompter.queueAnswer(Answer::Yes);
    action("mnuInsertScale")->trigger();
    const Bytes slot = TableBytes(FixtureTable());
    for (int a = 0; a < qv::kImageSize; ++a) {
        const bool inSlot = a >= 0xC00 && a < 0xD00;
        ASSERT_EQ(host.image.byte(a), inSlot ? slot[size_t(a - 0xC00)] : image[size_t(a)]) << a;
    }
    EXPECT_TRUE(host.image.modified());

    // The key chosen now, not the one the file holds.
    choose("KeyNoBox", 9);
    prompter.queueAnswer(Answer::Yes);
    action("mnuInsertScale")->trigger();
    EXPECT_EQ(prompter.texts().back(), "Do you wish to replace the scale for [1630 II] in the currently loaded "
                                       "configuration file?");
    EXPECT_EQ(host.image.word(0x1B00), 0x4946);
    EXPECT_EQ(form.editor().current().keyNo, 9);
}

TEST_F(ScaleForm, InsertAndDownloadAreOfferedOnlyWhereTheyCanWork)
{
    const struct {
        bool identified, remote, loaded, download, insert;
    } cases[] = {
        {false, false, true, false, true},
        {true, false, true, true, true},
        {true, true, true, true, false},
        {true, false, false, true, false},
    };
    for (const auto& c : cases) {
        host.identified = c.identified;
        host.remote = c.remote;
        host.loaded = c.loaded;
        form.FormShow();
        EXPECT_EQ(action("mnuDownload")->isEnabled(), c.download);
        EXPECT_EQ(action("mnuInsertScale")->isEnabled(), c.insert);
        EXPECT_FALSE(host.mainEnabled) << "the main window waits while the editor is open";
        form.close();
        EXPECT_TRUE(host.mainEnabled);
    }
}

TEST_F(ScaleForm, AScaleWithoutAKeyGoesNowhere)
{
    openFixture();
    action("mnuNext")->trigger(); // key 12
    prompter.clearShown();
    action("mnuInsertScale")->trigger();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{qv::TQVScaleForm::kNoKeyText});
    EXPECT_FALSE(host.image.modified());
}

TEST_F(ScaleForm, OnlyOneOverloadAndOneUnderloadMarker)
{
    openFixture(); // line 5 holds the overload marker
    const struct {
        int line;
        int kind;
        int reset; // the line set back to None
    } cases[] = {
        {7, 8, 7},  // a second overload after it: the new one goes
        {3, 8, 5},  // one before it: the later, line 5, goes
        {9, 7, 0},  // the first underload marker stays
        {10, 7, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        prompter.clearShown();
        choose(QString("LineBox%1").arg(c.line), c.kind);
        if (c.reset == 0) {
            EXPECT_TRUE(prompter.texts().empty());
            continue;
        }
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{"There can only be one Overload Marker and one "
                                                             "Underload Marker"});
        EXPECT_EQ(list(QString("LineBox%1").arg(c.reset))->currentIndex(), 0);
        EXPECT_EQ(form.editor().current().lines[size_t(c.reset - 1)].kind, 0);
    }
    EXPECT_EQ(list("LineBox3")->currentText(), "Overload");
}

TEST_F(ScaleForm, NumbersThatDoNotReadAreSaidAndCountAsZero)
{
    openFixture();
    prompter.clearShown();
    type("ValueEdit3", "1x");
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"ConversionError '1x' is not a valid integer value"});
    EXPECT_EQ(form.editor().current().lines[2].valueDb(), 0.0);
    EXPECT_EQ(Words(form.table())[12], 32767) << "line 3 at 0 dB";

    // A reference that is no number: String2Float's message, then the
    // table's; the preview keeps its picture.
    prompter.clearShown();
    const QImage before = form.preview().image();
    type("ReferenceEdit", "abc");
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"ConversionError 'abc' is not a valid integer value",
                                                          "ConversionError 'abc' is not a valid integer value"}));
    EXPECT_EQ(form.preview().image(), before);

    // An emptied field reads 0.
    type("ReferenceEdit", "");
    EXPECT_EQ(edit("ReferenceEdit")->text(), "0");
}

TEST_F(ScaleForm, AScaleTooBigForItsTableIsRefused)
{
    openFixture();
    // 28 lines with 4-character labels in six styles need more than 118 words.
    for (int n = 1; n <= 28; ++n) {
        choose(QString("LineBox%1").arg(n), 1 + n % 6);
        edit(QString("TextEdit%1").arg(n))->selectAll();
        QTest::keyClicks(edit(QString("TextEdit%1").arg(n)), "ABCD");
    }
    const std::vector<std::string> texts = prompter.texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().rfind("The scale lines and labels need ", 0), 0u) << texts.back();

    prompter.clearShown();
    prompter.queueAnswer(Answer::Yes);
    action("mnuInsertScale")->trigger();
    ASSERT_EQ(prompter.texts().size(), 2u);
    EXPECT_EQ(prompter.texts()[1], texts.back());
    EXPECT_FALSE(host.image.modified()) << "nothing inserted";
}

TEST_F(ScaleForm, AFileThatIsNoLibraryLeavesThePreviousOneCurrent)
{
    const std::string fixture = openFixture();
    type("ValueEdit2", "-6");
    const std::string bad = write("bad.dat", Bytes(49059, 0));
    prompter.clearShown();
    prompter.queueAnswer(Answer::No); // keep the change unsaved
    prompter.queueText(bad);
    action("mnuOpen")->trigger();
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Do you wish to save the changes to the scalefile \"" +
                                                              fixture + "\" ?",
                                                          "Open Scale File",
                                                          "The file " + bad + " is NOT a valid Scale Library"}));
    EXPECT_EQ(status(), QString::fromStdString("File: " + fixture));
    EXPECT_EQ(host.last, fixture);
    EXPECT_EQ(edit("ValueEdit2")->text(), "-6") << "the edit is still there";

    action("mnuSave")->trigger();
    EXPECT_EQ(read(fixture)[41 + 13], 0x83) << "saved to the previous file";
}

TEST_F(ScaleForm, ClosingWithChangesAsks)
{
    form.FormShow();
    type("ValueEdit1", "3");
    const std::string question = "Do you wish to save the changes to the scalefile \"\" ?";

    prompter.clearShown();
    prompter.queueAnswer(Answer::Cancel);
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(host.mainEnabled);

    prompter.queueAnswer(Answer::Yes); // Save As, whose dialog is cancelled
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{question, question, "Save Scale File As"}));

    prompter.queueAnswer(Answer::Yes);
    prompter.queueText(path("saved"));
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(host.mainEnabled);
    EXPECT_EQ(read(path("saved.dat")).size(), 49060u);
    EXPECT_FALSE(form.editor().changed());

    // A change typed but not yet entered counts too.
    form.FormShow();
    edit("ValueEdit1")->selectAll();
    QTest::keyClicks(edit("ValueEdit1"), "4");
    prompter.clearShown();
    prompter.queueAnswer(Answer::No);
    EXPECT_TRUE(form.close());
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Do you wish to save the changes to the scalefile \"" +
                                                         path("saved.dat") + "\" ?"});
}

TEST_F(ScaleForm, TheShortNameAndTheDigitalBoxAreEdits)
{
    openFixture();
    edit("ShortNameEdit")->selectAll();
    QTest::keyClicks(edit("ShortNameEdit"), "NEW");
    EXPECT_EQ(entry(1), "Scale #1 - NEW");
    EXPECT_TRUE(form.editor().changed());
    EXPECT_EQ(Words(form.table())[0], 0x454E);

    prompter.queueText(path("saved.dat"));
    action("mnuSaveAs")->trigger();
    ASSERT_FALSE(form.editor().changed());
    form.findChild<QCheckBox*>("Scaleflag")->click();
    EXPECT_TRUE(form.editor().changed());
    EXPECT_EQ(form.editor().current().analogueFlag, 1);
    EXPECT_EQ(Words(form.table())[7], 0);
}

TEST_F(ScaleForm, TheNoteKeepsWithinItsRoom)
{
    openFixture();
    auto* note = form.findChild<QPlainTextEdit*>("Note");
    note->selectAll();
    note->insertPlainText(QString(2046, 'x'));
    // "ab" fills the 2048 bytes; the line break would take two more.
    QTest::keyClicks(note, "ab");
    QTest::keyClick(note, Qt::Key_Return);
    QTest::keyClicks(note, "cd");
    EXPECT_EQ(note->toPlainText(), QString(2046, 'x') + "ab");
    EXPECT_EQ(form.editor().current().noteText(), std::string(2046, 'x') + "ab");

    // Shortened and lengthened again within the room.
    QTest::keyClick(note, Qt::Key_Backspace);
    QTest::keyClick(note, Qt::Key_Backspace);
    QTest::keyClick(note, Qt::Key_Return);
    EXPECT_EQ(form.editor().current().noteText(), std::string(2046, 'x') + "\r\n");
}

TEST_F(ScaleForm, DownloadWithoutASerialInterfaceSaysSo)
{
    host.identified = true;
    form.FormShow();
    prompter.clearShown();
    action("mnuDownload")->trigger();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"No RVT connected."});
    EXPECT_TRUE(form.isEnabled());
}

TEST_F(ScaleForm, StepsThroughTheScalesWithinOneToTwenty)
{
    openFixture();
    EXPECT_FALSE(action("mnuPrevious")->isEnabled());
    EXPECT_TRUE(action("mnuNext")->isEnabled());
    choose("ScaleNoEdit", 19);
    EXPECT_EQ(form.editor().number(), 20u);
    EXPECT_EQ(edit("ShortNameEdit")->text(), "LAST");
    EXPECT_FALSE(form.findChild<QCheckBox*>("Scaleflag")->isChecked());
    EXPECT_FALSE(action("mnuNext")->isEnabled());
    EXPECT_TRUE(action("mnuPrevious")->isEnabled());
    action("mnuPrevious")->trigger();
    EXPECT_EQ(form.editor().number(), 19u);
    EXPECT_EQ(edit("ShortNameEdit")->text(), "");
}

TEST_F(ScaleForm, TheMarkerColumnNamesTheMarkers)
{
    openFixture();
    qv::ScaleViewPanel& panel = form.preview();
    const auto hintAt = [&](int x, int y) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), panel.mapToGlobal(QPointF(x, y)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&panel, &move);
        return panel.toolTip();
    };
    ASSERT_TRUE(panel.markers().overloadY);
    EXPECT_EQ(hintAt(95, *panel.markers().overloadY - 2), "Overload");
    EXPECT_EQ(hintAt(95, *panel.markers().overloadY + 2), "");
    EXPECT_EQ(hintAt(50, *panel.markers().overloadY - 2), "");
}

TEST_F(ScaleForm, TheLastLibraryIsOfferedWhenTheWindowOpens)
{
    host.last = path("gone.dat");
    form.FormShow();
    EXPECT_TRUE(prompter.texts().empty());
    form.close();

    host.last = write("last.dat", FixtureLibrary());
    prompter.queueAnswer(Answer::Yes);
    form.FormShow();
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"Do you wish to reload the scalefile \"" + host.last + "\" ?"});
    EXPECT_EQ(entry(20), "Scale #20 - LAST");
    EXPECT_EQ(status(), QString::fromStdString("File: " + host.last));
}

} // namespace
