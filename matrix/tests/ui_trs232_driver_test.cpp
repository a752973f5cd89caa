#include "matrix/ui/trs232_driver.h"
#include "platform/tests/qt_test_app.h"
#include "sim/virtual_instrument.h"

#include <QMainWindow>
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
