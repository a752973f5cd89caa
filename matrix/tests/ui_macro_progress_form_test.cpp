#include "matrix/ui/macro_hotkeys.h"
#include "matrix/ui/macro_progress_form.h"
#include "matrix/ui/macro_window_view.h"

#include "platform/tests/qt_test_app.h"

#include <QGuiApplication>
#include <QLabel>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(TMacroProgressFormTest, ShowsTheMacroCentredOverTheMainWindow)
{
    QWidget main;
    main.setGeometry(120, 80, 640, 480);
    main.show();
    TMacroProgressForm form(&main);
    QStringList status;
    MacroWindowView view(form, [&](const QString& text) { status << text; });

    view.macroStatus("Macro Started... [Night]");
    view.showMacroWindow("Night");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.nameLine(), QStringLiteral("QV-Matrix is executing the macro called: Night"));
    EXPECT_EQ(form.stopLine(), QStringLiteral("Press CTRL+F12 to stop the Macro."));
    EXPECT_EQ(form.progressLine(), QStringLiteral("Macro Started..."));
    for (const char* name : {"lblMacroName", "lblStopMacro", "lblProgress"}) {
        const auto* line = form.findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_TRUE(line) << name;
        EXPECT_TRUE(line->font().bold()) << name;
        EXPECT_EQ(line->alignment(), Qt::AlignCenter) << name;
    }
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    const QPoint offset = form.frameGeometry().center() - main.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();

    view.macroProgress("Executing: .AA5,3");
    EXPECT_EQ(form.progressLine(), QStringLiteral("Executing: .AA5,3"));
    view.macroStatus("Macro finished...");
    view.hideMacroWindow();
    EXPECT_FALSE(form.isVisible());
    form.bringToFront(); // a hotkey while no macro runs
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(status, (QStringList{"Macro Started... [Night]", "Macro finished..."}));

    // The next macro starts with fresh lines.
    view.showMacroWindow("Morning");
    EXPECT_EQ(form.nameLine(), QStringLiteral("QV-Matrix is executing the macro called: Morning"));
    EXPECT_EQ(form.progressLine(), QStringLiteral("Macro Started..."));
}

TEST(MacroHotkeysTest, OnlyAnX11SessionHasThem)
{
    const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    EXPECT_EQ(MacroHotkeys::available(), x11);
    if (x11)
        return;
    MacroHotkeys hotkeys;
    EXPECT_FALSE(hotkeys.registerHotkeys());
    EXPECT_FALSE(hotkeys.registered());
    EXPECT_TRUE(MacroHotkeys::unavailableText().contains(QStringLiteral("Ctrl+F1 to Ctrl+F12")));
}

} // namespace
} // namespace qv
