#include "matrix/ui/splash_form.h"
#include "platform/tests/qt_test_app.h"

#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The splash's 50 ms timer, run by hand.
struct SplashBench {
    std::function<void()> pendingTick;
    QPointer<qv::TSplashForm> splash = new qv::TSplashForm([this](int ms, std::function<void()> tick) {
        EXPECT_EQ(ms, 50);
        pendingTick = std::move(tick);
    });
    ~SplashBench() { delete splash; }
    void ticks(int n)
    {
        for (int k = 0; k < n && pendingTick; ++k)
            std::exchange(pendingTick, nullptr)();
    }
};

TEST(SplashForm, WaitsFiftyTicksThenFillsAndGoes)
{
    SplashBench b;
    QSignalSpy closed(b.splash.data(), &qv::TSplashForm::closed);
    b.splash->show();
    EXPECT_EQ(b.splash->findChild<QLabel*>("lblTitle")->text(), "QV-Matrix v. 1.4 ");
    EXPECT_EQ(b.splash->buildText(), "Build: 1.4.0.0");
    b.ticks(50);
    EXPECT_EQ(b.splash->position(), 0);
    b.ticks(1);
    EXPECT_EQ(b.splash->position(), 128);
    b.splash->progress().advance(1024); // identification
    EXPECT_EQ(b.splash->position(), 1152);
    b.ticks(6);
    EXPECT_EQ(b.splash->position(), 1920);
    EXPECT_TRUE(b.splash->isVisible());
    EXPECT_EQ(closed.count(), 0);
    b.ticks(1);
    EXPECT_FALSE(b.splash->isVisible()) << "a full bar closes it";
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(b.pendingTick) << "the timer stopped";
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(b.splash.isNull()) << "and it is gone";
}

TEST(SplashForm, TransfersAdvanceTheBarAndFinishingHidesIt)
{
    SplashBench b;
    b.splash->show();
    qv::Progress& bar = b.splash->progress();
    EXPECT_EQ(bar.maximum(), 2047);
    for (int block = 0; block < 10; ++block)
        bar.advance(128);
    EXPECT_EQ(b.splash->position(), 1280);
    b.splash->finish();
    EXPECT_FALSE(b.splash->isVisible());
}

} // namespace
