#include "matrix/ui/main_form.h"
#include "matrix/ui/splash_form.h"
#include "matrix/ui/trs232_driver.h"
#include "platform/tests/qt_test_app.h"
#include "sim/virtual_instrument.h"

#include "platform/qt/qt_prompter.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct DriverBench : qv::sim::VirtualInstrument {
    qv::InstrumentRecord record;
    QMainWindow main;
    std::unique_ptr<qv::TRS232Driver> driver;

    DriverBench()
    {
        main.setWindowTitle("QV-Matrix v. 1.4 ");
        main.setGeometry(100, 100, 656, 487);
        driver = std::make_unique<qv::TRS232Driver>(port, qv::HostServices{clock, pump, prompter}, record, "SIM", "",
                                                    &main);
    }
};

} // namespace

TEST(TRS232Driver, OpensThePortAndSizesItselfToTheMainWindow)
{
    DriverBench b;
    EXPECT_TRUE(b.port.isOpen());
    EXPECT_EQ(b.driver->objectName(), "RS232Driver");
    EXPECT_TRUE(b.driver->windowFlags() & Qt::WindowStaysOnTopHint);
    ASSERT_TRUE(b.driver->transfer().ConnectInstrument(true));
    EXPECT_EQ(b.driver->windowTitle(), "QV-Matrix v. 1.4 ");
    EXPECT_EQ(b.driver->height(), 88);
    EXPECT_EQ(b.driver->width(), b.main.width() - 20);
    auto* bar = b.driver->findChild<QProgressBar*>("DSPProgressBar");
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->width(), b.driver->width() - 20);
    EXPECT_TRUE(b.driver->isVisible());
    b.driver.reset();
    EXPECT_FALSE(b.port.isOpen()) << "the window takes the port with it";
}

TEST(TRS232Driver, ClosingAsksTheQuestionOfTheTransfer)
{
    using Mode = qv::TransferMode;
    struct Case {
        Mode mode;
        const char* question; // nullptr: no question
        qv::MessageStyle style;
        qv::Answer answer;
        bool closes;
    } cases[] = {
        {Mode::Download, "You are about to terminate the download.\rTHIS IS NOT RECOMMENDED!!!\r\rDo you wish to proceed?",
         qv::MessageStyle::Alarm, qv::Answer::No, false},
        {Mode::Download, "You are about to terminate the download.\rTHIS IS NOT RECOMMENDED!!!\r\rDo you wish to proceed?",
         qv::MessageStyle::Alarm, qv::Answer::Yes, true},
        {Mode::Upload, "You are about to terminate the upload.\r\rDo you wish to proceed?", qv::MessageStyle::Normal,
         qv::Answer::Yes, true},
        {Mode::Installation,
         "You are about to terminate the software installation.\rTHIS IS NOT RECOMMENDED!!!\r\rDo you wish to proceed?",
         qv::MessageStyle::Alarm, qv::Answer::No, false},
        {Mode::Uninterruptible, nullptr, qv::MessageStyle::Normal, qv::Answer::Yes, false},
        {Mode::Idle, nullptr, qv::MessageStyle::Normal, qv::Answer::Yes, true},
    };
    for (const auto& c : cases) {
        DriverBench b;
        b.driver->show();
        b.driver->transfer().mode = c.mode;
        b.prompter.queueAnswer(c.answer);
        b.driver->close();
        EXPECT_EQ(!b.driver->isVisible(), c.closes) << int(c.mode);
        EXPECT_EQ(b.driver->transfer().cancel, c.closes) << int(c.mode);
        if (c.question) {
            ASSERT_EQ(b.prompter.shown().size(), 1u) << int(c.mode);
            const auto& shown = b.prompter.shown()[0];
            EXPECT_EQ(shown.text, c.question);
            EXPECT_EQ(shown.style, c.style);
            EXPECT_EQ(shown.buttons, unsigned(qv::ButtonYesNo));
            EXPECT_EQ(shown.defaultAnswer, qv::Answer::No);
        } else {
            EXPECT_TRUE(b.prompter.shown().empty()) << int(c.mode);
        }
    }
}

TEST(TRS232Driver, StaysUsableAndShowsItsPercentWhileTheMainWindowIsDisabled)
{
    DriverBench b;
    ASSERT_TRUE(b.driver->transfer().ConnectInstrument(true));
    b.driver->setTextLine("Reading :");
    b.driver->bar().setMaximum(16384);
    b.driver->bar().setPosition(4096);
    b.main.setEnabled(false); // as during a transfer
    auto* text = b.driver->findChild<QLabel*>("DSPProgressFileName");
    auto* bar = b.driver->findChild<QProgressBar*>("DSPProgressBar");
    EXPECT_TRUE(b.driver->isEnabled());
    EXPECT_TRUE(text->isEnabled());
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_TRUE(bar->isTextVisible());
    EXPECT_EQ(bar->text(), "25 %");
    b.main.setEnabled(true);
    EXPECT_TRUE(bar->isEnabled());

    b.driver->setEnabled(false);
    b.main.setEnabled(false);
    EXPECT_FALSE(b.driver->isEnabled()) << "disabled on purpose stays so";
}

TEST(TRS232Driver, TheClosingQuestionOpensOverTheWindow)
{
    DriverBench b;
    qv::QtPrompter dialogs(&b.main);
    b.driver = std::make_unique<qv::TRS232Driver>(b.port, qv::HostServices{b.clock, b.pump, dialogs}, b.record,
                                                  "SIM", "", &b.main);
    b.main.show();
    b.driver->show();
    b.driver->transfer().mode = qv::TransferMode::Download;
    QWidget* owner = nullptr;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        owner = box->parentWidget();
        box->button(QMessageBox::No)->click();
    });
    b.driver->close();
    EXPECT_EQ(owner, b.driver.get()) << "above the window that stays on top, not behind it";
    EXPECT_TRUE(b.driver->isVisible());
    EXPECT_FALSE(b.driver->transfer().cancel);
}

TEST(TRS232Driver, EscapeAsksTheSameQuestionOnce)
{
    DriverBench b;
    b.driver->show();
    b.driver->transfer().mode = qv::TransferMode::Upload;
    b.prompter.queueAnswer(qv::Answer::Yes);
    QTest::keyClick(b.driver.get(), Qt::Key_Escape);
    EXPECT_FALSE(b.driver->isVisible());
    EXPECT_EQ(b.prompter.shown().size(), 1u);
}

TEST(TRS232Driver, TheStartUpSplashFollowsTransfersAndKeepsTheMainWindowWaiting)
{
    qv::sim::VirtualInstrument sim;
    qv::InstrumentRecord record;
    qv::TMainForm main(sim.prompter);
    auto* splash = new qv::TSplashForm([](int, std::function<void()>) {}); // its timer stands still
    main.setSplash(splash);
    splash->show();
    main.setEnabled(false);
    qv::TRS232Driver driver(sim.port, qv::HostServices{sim.clock, sim.pump, sim.prompter}, record, "SIM", "", &main);
    ASSERT_TRUE(driver.transfer().ConnectInstrument(true));
    EXPECT_FALSE(main.isEnabled()) << "not while the splash shows";

    std::vector<uint8_t> bytes(4 * 128);
    ASSERT_TRUE(driver.transfer().ReadMemory(0x11, 0x18000, bytes.data(), 4));
    EXPECT_EQ(splash->position(), 5 * 128) << "each progress report, the first (0) as well";

    splash->finish();
    EXPECT_TRUE(main.isEnabled()) << "the splash let it go";
    driver.transfer().ReadMemory(0x11, 0x18000, bytes.data(), 1); // no splash to follow any more
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
