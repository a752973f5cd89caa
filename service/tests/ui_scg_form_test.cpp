// The screen grab window against the simulated instrument on virtual time.
#include "link/headless_transfer_view.h"
#include "link/matrix_transfer.h"
#include "link/tests/sim_fixture.h"
#include "platform/tests/qt_test_app.h"
#include "service/ui/lcd_view.h"
#include "service/ui/scg_form.h"

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace qv {
namespace {

const std::string kComplete = "Upload complete... The image is placed in the clipboard.";

struct GrabWindow : MatrixSimBench {
    explicit GrabWindow(sim::InstrumentOptions options = {}) : MatrixSimBench(options) {}

    HeadlessTransferView progress;
    MatrixTransfer transfer{link, progress};
    QMainWindow main;
    int restarts = 0;
    int abouts = 0;
    TfrmSCG form{sim.prompter,      sim.pump,  [this] { return &transfer; }, [this] { ++restarts; },
                 [this] { ++abouts; }, &main};

    template <typename T>
    T* child(const char* name)
    {
        return form.findChild<T*>(QString::fromLatin1(name));
    }
    QPushButton* button(const char* name) { return child<QPushButton>(name); }
    QAction* action(const char* name) { return child<QAction>(name); }
    QSpinBox* field(const char* name) { return child<QSpinBox>(name); }
    LcdRect fields()
    {
        return {field("udLeft")->value(), field("udTop")->value(), field("udRight")->value(),
                field("udBot")->value()};
    }
    QString panel(const char* name) { return child<QLabel>(name)->text(); }
    void show(int type = 0, bool serial = true)
    {
        main.show();
        form.FormShow(type, serial);
    }
    // The code of the colour at a pixel of an image.
    static int Code(const QImage& image, int x, int y)
    {
        const QRgb c = image.pixel(x, y);
        return (qRed(c) ? 4 : 0) | (qGreen(c) ? 2 : 0) | (qBlue(c) ? 1 : 0);
    }
    // Rows [from, to) of the image show what the instrument shows there.
    bool showsInstrument(const QImage& image, int from, int to, int rowOffset = 0)
    {
        const auto& shown = sim.instrument.lcdPicture();
        for (int y = from; y < to; ++y)
            for (int x = 0; x < 640; ++x)
                if (Code(image, x, y - rowOffset) != shown.at(x, y))
                    return false;
        return true;
    }
    void drag(QPoint from, QPoint to)
    {
        LcdView& lcd = form.lcd();
        QTest::mousePress(&lcd, Qt::LeftButton, {}, from);
        QTest::mouseMove(&lcd, to);
        QTest::mouseRelease(&lcd, Qt::LeftButton, {}, to);
    }
};

TEST(ScreenGrabWindow, ShownOverTheDisabledMainWindow)
{
    GrabWindow w;
    w.show();
    EXPECT_EQ(w.form.windowTitle(), "QV-ScreenGrab V.1.23");
    EXPECT_FALSE(w.main.isEnabled());
    EXPECT_TRUE(w.form.isEnabled());
    w.main.setEnabled(true); // as a finished transfer or a restart does
    EXPECT_FALSE(w.main.isEnabled()) << "it stays disabled while the window shows";
    EXPECT_TRUE(w.form.isEnabled());

    // Nothing chosen, nothing decoded yet.
    EXPECT_FALSE(w.button("SelectButton")->isEnabled());
    EXPECT_FALSE(w.child<QGroupBox>("gbSelection")->isEnabled());
    EXPECT_FALSE(w.action("mnuSaveRamData")->isEnabled());
    EXPECT_FALSE(w.action("mnuSaveBitmap")->isEnabled());
    EXPECT_FALSE(w.child<QGroupBox>("gbScreenSource")->isEnabled()) << "one screen";
    for (const char* name : {"rbScreen1", "rbScreen2", "rbScreen3"})
        EXPECT_FALSE(w.child<QRadioButton>(name)->isChecked()) << name;
    for (const char* name : {"editTop", "editBot", "editLeft", "editRight"})
        EXPECT_TRUE(w.child<QLineEdit>(name)) << name;

    w.action("mnuClose")->trigger();
    EXPECT_FALSE(w.form.isVisible());
    EXPECT_TRUE(w.main.isEnabled());
    w.main.setEnabled(false);
    w.main.setEnabled(true);
    EXPECT_TRUE(w.main.isEnabled()) << "let go once it is closed";
}

TEST(ScreenGrabWindow, WhatTheInstrumentAndTheInterfaceOffer)
{
    GrabWindow w;
    w.show(14, true);
    EXPECT_TRUE(w.child<QGroupBox>("gbScreenSource")->isEnabled());
    EXPECT_TRUE(w.child<QRadioButton>("rbScreen1")->isChecked());
    w.form.close();

    w.show(4, false);
    EXPECT_FALSE(w.child<QGroupBox>("gbScreenSource")->isEnabled());
    EXPECT_FALSE(w.child<QRadioButton>("rbScreen1")->isChecked());
    for (const char* name : {"UploadButton", "Button1", "btnFreeze", "btnReset", "Button3", "Button4"})
        EXPECT_FALSE(w.button(name)->isEnabled()) << name << ": nothing to read from or send to";
    EXPECT_FALSE(w.action("mnuUploadLCD")->isEnabled());
    EXPECT_TRUE(w.action("mnuOpenRamData")->isEnabled()) << "a file needs no instrument";
}

TEST(ScreenGrabWindow, TheMenuAreaOverTheBackdropAndOnTheClipboard)
{
    GrabWindow w;
    w.show();
    const QImage before = w.form.lcd().picture();
    QTest::mouseClick(w.button("Button1"), Qt::LeftButton);
    EXPECT_EQ(w.sim.prompter.texts(), std::vector<std::string>{kComplete});
    EXPECT_EQ(w.fields(), (LcdRect{0, 449, 640, 479}));
    EXPECT_TRUE(w.button("SelectButton")->isEnabled()) << "the menu area is chosen now";
    EXPECT_TRUE(w.child<QGroupBox>("gbSelection")->isEnabled());
    EXPECT_EQ(w.panel("StatusPanel"), "Upload complete...");
    EXPECT_EQ(w.panel("OffsetPanel"), "Offset $40543");

    const QImage shown = w.form.lcd().picture();
    EXPECT_TRUE(w.showsInstrument(shown, 449, 479)) << "the softkeys as the instrument shows them";
    EXPECT_EQ(shown.pixel(320, 100), before.pixel(320, 100)) << "the backdrop above";
    EXPECT_EQ(w.form.lcd().outline(), QRect(0, 449, 640, 30));
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(640, 30));
    EXPECT_TRUE(w.showsInstrument(copied, 449, 479, 449));
    EXPECT_TRUE(w.action("mnuSaveRamData")->isEnabled());
    EXPECT_TRUE(w.action("mnuSaveBitmap")->isEnabled());

    w.action("mnuCopy")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(640, 480)) << "the picture as displayed";
}

TEST(ScreenGrabWindow, TheWholeScreen)
{
    GrabWindow w;
    w.show();
    w.action("mnuUploadLCD")->trigger();
    EXPECT_EQ(w.sim.prompter.texts(), std::vector<std::string>{kComplete});
    EXPECT_TRUE(w.showsInstrument(w.form.captureBitmap(), 0, 480)) << "every pixel";
    EXPECT_EQ(w.fields(), (LcdRect{0, 0, 640, 479}));
    EXPECT_TRUE(w.showsInstrument(w.form.lcd().picture(), 0, 479));
}

TEST(ScreenGrabWindow, ARectangleDraggedOnThePicture)
{
    GrabWindow w;
    w.show();
    w.drag({100, 50}, {20, 10});
    EXPECT_EQ(w.fields(), (LcdRect{20, 10, 100, 50})) << "dragged up and to the left";
    EXPECT_TRUE(w.button("SelectButton")->isEnabled());
    EXPECT_TRUE(w.child<QGroupBox>("gbSelection")->isEnabled());
    QTest::mouseClick(w.button("SelectButton"), Qt::LeftButton);
    EXPECT_EQ(w.sim.prompter.texts(), std::vector<std::string>{kComplete});
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(80, 40));
    EXPECT_EQ(GrabWindow::Code(copied, 0, 12), w.sim.instrument.lcdPicture().at(20, 22)) << "the line under the title";

    // A side typed past its partner stops on it: nothing to upload, the
    // fields stay to mend it.
    w.field("udRight")->setValue(5);
    EXPECT_EQ(w.fields(), (LcdRect{20, 10, 20, 50}));
    EXPECT_FALSE(w.button("SelectButton")->isEnabled());
    EXPECT_TRUE(w.child<QGroupBox>("gbSelection")->isEnabled());
    w.field("udRight")->setValue(60);
    EXPECT_TRUE(w.button("SelectButton")->isEnabled());

    w.drag({300, 300}, {300, 400});
    EXPECT_FALSE(w.button("SelectButton")->isEnabled()) << "no width";
    EXPECT_FALSE(w.child<QGroupBox>("gbSelection")->isEnabled());
}

TEST(ScreenGrabWindow, TheBitmapIsSavedAsBmpOrPngAndReadsBack)
{
    GrabWindow w;
    QTemporaryDir dir;
    w.show();
    w.action("mnuUploadLCD")->trigger();
    const struct {
        const char* typed;
        int filter;
        const char* written;
        const char* format;
    } cases[] = {
        {"shot", 1, "shot.BMP", "BMP"},
        {"other", 2, "other.PNG", "PNG"},
        {"third.png", 1, "third.png", "PNG"},
        {"fourth", 3, "fourth.BMP", "BMP"},
    };
    for (const auto& c : cases) {
        w.sim.prompter.queueText(dir.filePath(c.typed).toStdString());
        w.sim.prompter.queueFilter(c.filter);
        w.action("mnuSaveBitmap")->trigger();
        const QString path = dir.filePath(c.written);
        EXPECT_EQ(w.panel("FilePanel"), path);
        QImage read;
        ASSERT_TRUE(read.load(path, c.format)) << c.written;
        EXPECT_TRUE(w.showsInstrument(read, 0, 480)) << c.written << ": the whole capture";
    }

    // A folder that cannot take it.
    w.sim.prompter.clearShown();
    const std::string nowhere = dir.filePath("missing/shot.BMP").toStdString();
    w.sim.prompter.queueText(nowhere);
    w.action("mnuSaveBitmap")->trigger();
    const auto texts = w.sim.prompter.texts();
    ASSERT_EQ(texts.size(), 2u); // the dialog's caption, then the error
    EXPECT_EQ(texts[1].rfind("Cannot create file \"" + nowhere + "\". ", 0), 0u) << texts[1];
    EXPECT_FALSE(QFile::exists(QString::fromStdString(nowhere)));
}

TEST(ScreenGrabWindow, RamDataOpenedBeforeAnyUploadShowsAndCopiesTheWholePicture)
{
    GrabWindow w;
    QTemporaryDir dir;
    w.show();
    w.action("mnuUploadLCD")->trigger();
    w.sim.prompter.queueText(dir.filePath("screen").toStdString());
    w.action("mnuSaveRamData")->trigger();
    ASSERT_EQ(w.panel("FilePanel"), dir.filePath("screen.COD"));

    GrabWindow fresh;
    fresh.show();
    QGuiApplication::clipboard()->clear();
    fresh.sim.prompter.queueText(dir.filePath("screen.COD").toStdString());
    fresh.action("mnuOpenRamData")->trigger();
    EXPECT_TRUE(fresh.showsInstrument(fresh.form.lcd().picture(), 0, 480)) << "whole: no backdrop";
    EXPECT_TRUE(fresh.form.lcd().outline().isEmpty());
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(640, 480));
    EXPECT_TRUE(fresh.action("mnuSaveBitmap")->isEnabled());
}

TEST(ScreenGrabWindow, ItsOtherButtonsReachTheInstrumentAndTheMainWindow)
{
    GrabWindow w;
    w.show();
    w.action("mnuRestart")->trigger();
    w.action("mnuAbout")->trigger();
    EXPECT_EQ(w.restarts, 1);
    EXPECT_EQ(w.abouts, 1);

    QTest::mouseClick(w.button("btnFreeze"), Qt::LeftButton);
    w.sim.clock.sleepMs(10);
    w.sim.port.inputCount();
    EXPECT_TRUE(w.sim.instrument.lcdFrozen());
    QTest::mouseClick(w.button("Button4"), Qt::LeftButton);
    w.sim.clock.sleepMs(10);
    w.sim.port.inputCount();
    EXPECT_FALSE(w.sim.instrument.lcdFrozen());
}

} // namespace
} // namespace qv
