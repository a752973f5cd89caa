// QV-Update's smaller windows and pieces: the banner animation, the
// command-line help dialog and the look of the question before an update.
#include "updater/ui/banner.h"
#include "updater/ui/frm_cmd_param.h"
#include "updater/ui/update_prompter.h"

#include "platform/tests/qt_test_app.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(BannerAnimation, FramesAndTheStopAtRest)
{
    BannerAnimation animation;
    bool running = true;
    std::vector<int> frames;
    for (int tick = 0; tick < 15; ++tick)
        frames.push_back(animation.tick(running));
    // Counts 2 to 7 show their frame, 1 and 8 to 14 the rest frame.
    EXPECT_EQ(frames, (std::vector<int>{2, 3, 4, 5, 6, 7, 1, 1, 1, 1, 1, 1, 1, 1, 2}));
    EXPECT_TRUE(running);

    animation.requestStop();
    int ticks = 0;
    do {
        animation.tick(running);
        ++ticks;
    } while (running);
    EXPECT_EQ(animation.frame(), BannerAnimation::kRestFrame);
    EXPECT_EQ(ticks, 6) << "frames 3 to 7 still turn, the rest frame stops";
    EXPECT_FALSE(animation.stopRequested());
}

TEST(BannerAnimation, TheBannerShowsOneFrameAtATime)
{
    TBanner banner;
    banner.show();
    banner.startSpin(150);
    EXPECT_TRUE(banner.spinning());
    banner.tmrSpinTimer();
    EXPECT_EQ(banner.frame(), 2);
    int visible = 0;
    for (int frame = 1; frame <= 7; ++frame)
        visible += banner.findChild<QLabel*>(QStringLiteral("imgSpin_%1").arg(frame))->isVisible();
    EXPECT_EQ(visible, 1);
    EXPECT_TRUE(banner.findChild<QLabel*>(QStringLiteral("imgSpin_2"))->isVisible());
    banner.stopSpin();
    for (int tick = 0; tick < 14 && banner.spinning(); ++tick)
        banner.tmrSpinTimer();
    EXPECT_FALSE(banner.spinning());
    EXPECT_TRUE(banner.findChild<QLabel*>(QStringLiteral("imgSpin_1"))->isVisible());
}

TEST(TfrmCMDParam, HelpTextAndCloseButton)
{
    TfrmCMDParam dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Commandline parameters..."));
    auto* text = dialog.findChild<QPlainTextEdit*>(QStringLiteral("memParams"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_TRUE(text->font().fixedPitch());
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(text->toPlainText().endsWith(QStringLiteral("    Usage: /ETHReset /C 1")));
    EXPECT_FALSE(text->toPlainText().contains(QLatin1Char('\r')));
    auto* close = dialog.findChild<QPushButton*>(QStringLiteral("btnClose"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), QStringLiteral("Close"));
    EXPECT_TRUE(close->isDefault());

    // Escape closes it as the cancel button would.
    QTimer::singleShot(0, &dialog, [&] { dialog.reject(); });
    dialog.showCentred();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(UpdatePrompter, TheQuestionBeforeAnUpdate)
{
    UpdatePrompter prompter;
    QString style;
    int width = 0;
    bool noIsDefault = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        style = box->styleSheet();
        width = box->width();
        noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
        EXPECT_EQ(box->text(), QStringLiteral("Update?\n\nSure?"));
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(prompter.message(MessageKind::Warning, "Update?\r\rSure?", ButtonYesNo, Answer::No, HelpTopic::Contents,
                               MessageStyle::Alarm),
              Answer::Yes);
    EXPECT_TRUE(style.contains(QStringLiteral("background-color: white")));
    EXPECT_TRUE(style.contains(QStringLiteral("color: red")));
    EXPECT_TRUE(style.contains(QStringLiteral("font-weight: bold")));
    EXPECT_TRUE(style.contains(QStringLiteral("font-size: 10pt")));
    EXPECT_GE(width, UpdatePrompter::kAlarmWidth);
    EXPECT_TRUE(noIsDefault);
}

} // namespace
} // namespace qv
