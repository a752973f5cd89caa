#include "options/ui/mouse_pad_form.h"
#include "platform/host/scripted_prompter.h"
#include "platform/tests/qt_test_app.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct MousePadBench {
    VirtualClock clock;
    ScriptedPrompter prompter;
    std::vector<std::string> sent;
    TMousePadForm form{clock, [this](const std::string& line) { sent.push_back(line); }, prompter, nullptr};

    MousePadBench() { form.show(); }
    QWidget* area() { return form.mouseArea(); }
    QString label(const char* name) { return form.findChild<QLabel*>(name)->text(); }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
        QMouseEvent event(type, at, area()->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(area(), &event);
    }
    void wheel(QWidget* over, int delta)
    {
        QWheelEvent event(QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &event);
    }
};

TEST(MousePadForm, TheAreaIsTheScreenAndTheLabelsFollowThePointer)
{
    MousePadBench b;
    EXPECT_EQ(b.form.windowTitle(), "Mouse Pad.");
    EXPECT_EQ(b.area()->size(), QSize(640, 480));
    EXPECT_EQ(b.label("lblLeftButton"), "Left Mouse Button: UP");
    EXPECT_EQ(b.label("lblWheel"), "Scroll Wheel: None");
    EXPECT_TRUE(b.form.findChild<QRadioButton*>("rbClick")->isChecked());
    EXPECT_EQ(b.form.findChild<QLineEdit*>("TimerEdit")->text(), "150");

    b.mouse(QEvent::MouseMove, {123, 45});
    EXPECT_EQ(b.label("lblPositionX"), "Position X: 123");
    EXPECT_EQ(b.label("lblPositionY"), "Y: 45");
    b.mouse(QEvent::MouseButtonPress, {123, 45}, Qt::RightButton);
    EXPECT_EQ(b.label("lblRightButton"), "Right Mouse Button: DOWN");
    b.mouse(QEvent::MouseButtonRelease, {123, 45}, Qt::RightButton);
    EXPECT_EQ(b.label("lblRightButton"), "Right Mouse Button: UP");
    b.wheel(&b.form, 120); // where the controls pass it on
    EXPECT_EQ(b.label("lblWheel"), "Scroll Wheel: UP");
    EXPECT_EQ(b.sent, (std::vector<std::string>{".Se123,45\r\n", ".Sg123,45\r\n"}))
        << "the move came before the first timer tick";
}

TEST(MousePadForm, MovesAreLimitedByTheTimerAndClicksFollowTheChoice)
{
    MousePadBench b;
    for (int t = 0; t < 1000; t += 10) {
        b.mouse(QEvent::MouseMove, {t / 10, 100});
        b.clock.sleepMs(10);
    }
    EXPECT_EQ(b.sent.size(), 6u) << "six or seven a second at 150 ms";
    EXPECT_EQ(b.sent.back(), ".Sm90,100\r\n");

    b.sent.clear();
    b.mouse(QEvent::MouseButtonPress, {99, 100}, Qt::LeftButton);
    b.mouse(QEvent::MouseButtonRelease, {99, 100}, Qt::LeftButton);
    EXPECT_EQ(b.sent, std::vector<std::string>{".Sa99,100\r\n"}) << "Send Mouse Click.";

    b.sent.clear();
    QTest::mouseClick(b.form.findChild<QRadioButton*>("rbUpDown"), Qt::LeftButton);
    b.mouse(QEvent::MouseButtonPress, {99, 100}, Qt::MiddleButton);
    b.mouse(QEvent::MouseButtonRelease, {99, 100}, Qt::MiddleButton);
    EXPECT_EQ(b.sent, (std::vector<std::string>{".Sc99,100\r\n", ".Sd99,100\r\n"}));
}

TEST(MousePadForm, TheIntervalFieldTakesNumbersOnlyAndInfoListsTheCommands)
{
    MousePadBench b;
    auto* edit = b.form.findChild<QLineEdit*>("TimerEdit");
    edit->setText("abc");
    emit edit->editingFinished();
    EXPECT_EQ(b.prompter.texts(), std::vector<std::string>{"Invalid Entry."});
    EXPECT_EQ(b.form.pad().intervalMs(), 150);
    EXPECT_EQ(edit->text(), "150");

    edit->setText("400");
    emit edit->editingFinished();
    EXPECT_EQ(b.form.pad().intervalMs(), 400);
    QTest::mouseClick(b.form.findChild<QWidget*>("UpDown1Up"), Qt::LeftButton);
    EXPECT_EQ(b.form.pad().intervalMs(), 401);
    EXPECT_EQ(edit->text(), "401");

    b.prompter.clearShown();
    QTest::mouseClick(b.form.findChild<QPushButton*>("btnInfo"), Qt::LeftButton);
    ASSERT_EQ(b.prompter.shown().size(), 1u);
    EXPECT_EQ(b.prompter.shown()[0].kind, MessageKind::Information);
    EXPECT_EQ(b.prompter.shown()[0].text,
              "Mouse move (No buttons): .SmXXX,YYY\r\rLeft button Down/Click: .SaXXX,YYY\rLeft button UP: "
              ".SbXXX,YYY\r\rMiddle button Down/Click : .ScXXX,YYY\rMiddle button Up: .SdXXX,YYY\r\rRight button "
              "Down/Click : .SeXXX,YYY\rRight button Up: .SfXXX,YYY\r\rScroll wheel (Scroll) Up : "
              ".SgXXX,YYY\rScroll wheel (Scroll) Down : .ShXXX,YYY");

    QTest::mouseClick(b.form.findChild<QPushButton*>("btnClose"), Qt::LeftButton);
    EXPECT_FALSE(b.form.isVisible());
    EXPECT_TRUE(b.sent.empty());
}

} // namespace
} // namespace qv
