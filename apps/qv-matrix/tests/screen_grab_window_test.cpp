// The screen grab in the whole program against the simulated instrument on
// virtual time: opened from the tools menu after remote control has ended,
// over a main window that stays disabled until it closes.
#include "options/ui/about_form.h"
#include "platform/tests/qt_test_app.h"
#include "program_fixture.h"
#include "service/ui/lcd_view.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using qv::Answer;
using qv::test::kDisconnectQuestion;
using qv::test::Program;

QAction* GrabAction(Program& p, const char* name)
{
    return p.app->screenGrab().findChild<QAction*>(name);
}

TEST(ScreenGrabInProgram, OpenedFromTheToolsMenuItHoldsTheMainWindowUntilItCloses)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    qv::TfrmSCG& grab = p.app->screenGrab();
    p.trigger("mnuScreenGrab");
    ASSERT_TRUE(grab.isVisible());
    EXPECT_FALSE(p.form().isEnabled());

    QTest::mouseClick(grab.findChild<QPushButton*>("Button1"), Qt::LeftButton);
    EXPECT_EQ(p.prompter.texts(),
              std::vector<std::string>{"Upload complete... The image is placed in the clipboard."});
    EXPECT_FALSE(p.form().isEnabled()) << "the transfer does not let the main window go";
    EXPECT_TRUE(grab.isEnabled());
    EXPECT_TRUE(grab.lcd().picture() != QImage()) << "a picture shown";

    const int restarts = p.instrument.restartCount();
    GrabAction(p, "mnuRestart")->trigger();
    EXPECT_EQ(p.instrument.restartCount(), restarts + 1);
    EXPECT_FALSE(p.form().isEnabled()) << "nor does the restart";

    GrabAction(p, "mnuAbout")->trigger();
    auto* about = p.form().findChild<qv::TAboutForm*>();
    ASSERT_TRUE(about->isVisible());
    EXPECT_TRUE(about->isEnabled()) << "the About box can be closed";
    about->accept();

    GrabAction(p, "mnuClose")->trigger();
    EXPECT_FALSE(grab.isVisible());
    EXPECT_TRUE(p.form().isEnabled());
}

TEST(ScreenGrabInProgram, RemoteControlEndsFirstWhenTheUserAgrees)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    p.trigger("mnuConnect");
    p.idle(2000);
    ASSERT_TRUE(p.app->remoteControl().connected());

    p.prompter.queueAnswer(Answer::No);
    p.trigger("mnuScreenGrab");
    EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{kDisconnectQuestion});
    EXPECT_FALSE(p.app->screenGrab().isVisible());
    EXPECT_TRUE(p.app->remoteControl().connected());

    p.prompter.queueAnswer(Answer::Yes);
    p.trigger("mnuScreenGrab");
    EXPECT_FALSE(p.app->remoteControl().connected());
    EXPECT_TRUE(p.app->screenGrab().isVisible());
}

} // namespace
