#include "platform/qt/qt_prompter.h"

#include "platform/qt/display_text.h"
#include "qt_test_app.h"

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QFile>
#include <QUrl>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace qv {
namespace {

TEST(DisplayText, CarriageReturnsBecomeLineBreaks)
{
    struct Case {
        const char* text;
        const char* shown;
    };
    for (auto c : {Case{"Unable to open COM3", "Unable to open COM3"},
                   Case{"possible\r to identify\r\rPlease", "possible\n to identify\n\nPlease"},
                   Case{"one\r\ntwo\r", "one\ntwo\n"}, Case{"RVT\u00B4s.", "RVT\u00B4s."}}) {
        EXPECT_EQ(displayText(c.text), QString::fromUtf8(c.shown)) << c.text;
    }
}

TEST(QtFileFilter, DescriptionPatternPairsBecomeQtFilters)
{
    struct Case {
        const char* filter;
        const char* qt;
    };
    for (auto c : {
             Case{"Video RAM Data (*.COD)|*.COD|All Files (*.*)|*.*", "Video RAM Data (*.COD);;All Files (*)"},
             Case{"Preset files|*.PRE", "Preset files (*.PRE)"},
             Case{"DSP files|*.0*;*.1*", "DSP files (*.0* *.1*)"},
             Case{"Config (v5)|*.380", "Config (v5) (*.380)"},
             Case{"Packages (*.CDP)", "Packages (*.CDP)"},
             Case{"", ""},
         }) {
        EXPECT_EQ(qtFileFilter(c.filter), QString::fromUtf8(c.qt)) << c.filter;
    }
}

// Runs `act` on the message box once it is up.
void onMessageBox(std::function<void(QMessageBox&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(*box);
        if (box->isVisible())
            box->reject();
    });
}

TEST(QtPrompter, MessageBoxesShowKindButtonsAndDefault)
{
    struct Case {
        MessageKind kind;
        unsigned buttons;
        Answer defaultAnswer;
        MessageStyle style;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons shown;
        QMessageBox::StandardButton defaultButton;
        QMessageBox::StandardButton press; // NoButton: close with Escape
        Answer answer;
    };
    const Case cases[] = {
        {MessageKind::Error, ButtonOk, Answer::Ok, MessageStyle::Normal, QMessageBox::Critical, QMessageBox::Ok,
         QMessageBox::Ok, QMessageBox::Ok, Answer::Ok},
        {MessageKind::Information, ButtonNone, Answer::Ok, MessageStyle::Normal, QMessageBox::Information,
         QMessageBox::Ok, QMessageBox::Ok, QMessageBox::NoButton, Answer::Ok},
        {MessageKind::Confirmation, ButtonYesNo, Answer::No, MessageStyle::Normal, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::No, QMessageBox::Yes, Answer::Yes},
        {MessageKind::Confirmation, ButtonYesNo, Answer::Yes, MessageStyle::Normal, QMessageBox::Question,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::NoButton, Answer::No},
        {MessageKind::Warning, ButtonYesNoCancel, Answer::Cancel, MessageStyle::Normal, QMessageBox::Warning,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel, QMessageBox::NoButton,
         Answer::Cancel},
        {MessageKind::Confirmation, ButtonYesNo, Answer::No, MessageStyle::Alarm, QMessageBox::Warning,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::No, QMessageBox::No, Answer::No},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(&c - cases));
        onMessageBox([&](QMessageBox& box) {
            EXPECT_EQ(box.text(), QStringLiteral("First line\nsecond line"));
            EXPECT_EQ(box.icon(), c.icon);
            EXPECT_EQ(box.standardButtons(), c.shown);
            EXPECT_EQ(box.defaultButton(), box.button(c.defaultButton));
            EXPECT_EQ(box.styleSheet().contains(QStringLiteral("yellow")), c.style == MessageStyle::Alarm);
            if (c.press == QMessageBox::NoButton)
                box.escapeButton()->click();
            else
                box.button(c.press)->click();
        });
        QtPrompter prompter;
        EXPECT_EQ(prompter.message(c.kind, "First line\rsecond line", c.buttons, c.defaultAnswer, HelpTopic::Contents,
                                   c.style),
                  c.answer);
    }
}

TEST(QtPrompter, HelpOpensBesideTheQuestionOrInsteadOfNo)
{
    QTemporaryDir dir;
    QFile page(dir.filePath("help.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>Help</title></head><body><a name=\"topic-7\"></a>Seven</body></html>");
    page.close();
    QtPrompter prompter;
    prompter.setHelpPage(QUrl::fromLocalFile(page.fileName()));

    // A topic adds a Help button; pressing it opens the help and the
    // question stays until it is answered.
    int boxesSeen = 0;
    std::function<void()> pressHelpThenYes = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        ++boxesSeen;
        if (boxesSeen == 1) {
            ASSERT_NE(box->button(QMessageBox::Help), nullptr);
            box->button(QMessageBox::Help)->click();
            QTimer::singleShot(0, pressHelpThenYes);
        } else {
            box->button(QMessageBox::Yes)->click();
        }
    };
    QTimer::singleShot(0, pressHelpThenYes);
    EXPECT_EQ(prompter.message(MessageKind::Confirmation, "Go on?", ButtonYesNo, Answer::No, HelpTopic::PresetUpgrade),
              Answer::Yes);
    EXPECT_EQ(boxesSeen, 2);
    ASSERT_NE(prompter.helpViewer(), nullptr);
    EXPECT_TRUE(prompter.helpViewer()->isVisible());
    EXPECT_EQ(prompter.helpViewer()->browser()->source().fragment(), "topic-7");

    // "Help!" in place of No answers No and leaves the help to the caller.
    onMessageBox([](QMessageBox& box) {
        EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("Help!"));
        EXPECT_EQ(box.button(QMessageBox::Help), nullptr);
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(prompter.message(MessageKind::Warning, "Stopped.", ButtonYesNo | ButtonNoAsHelp, Answer::Yes,
                               HelpTopic::PresetUpgrade),
              Answer::No);

    // A program without help pages offers no Help button that would do nothing.
    QtPrompter withoutHelp;
    onMessageBox([](QMessageBox& box) {
        EXPECT_EQ(box.button(QMessageBox::Help), nullptr);
        box.button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(withoutHelp.message(MessageKind::Information, "Done.", ButtonOk, Answer::Ok, HelpTopic::MissingPort),
              Answer::Ok);
}

TEST(QtPrompter, BoxesGoOverAWindowOfOursThatStaysOnTop)
{
    QWidget main;
    main.show();
    QDialog onTop(&main, Qt::Dialog | Qt::WindowStaysOnTopHint);
    QDialog plain(&main);
    QtPrompter prompter(&main);
    struct Case {
        const char* name;
        bool onTopShown;
        bool plainShown;
        QWidget* owner;
    } cases[] = {
        {"nothing over the main window", false, false, &main},
        {"an ordinary window of ours", false, true, &main},
        {"a window that stays on top", true, false, &onTop},
        {"both", true, true, &onTop},
    };
    for (const Case& c : cases) {
        onTop.setVisible(c.onTopShown);
        plain.setVisible(c.plainShown);
        QWidget* owner = nullptr;
        onMessageBox([&](QMessageBox& box) {
            owner = box.parentWidget();
            box.button(QMessageBox::No)->click();
        });
        EXPECT_EQ(prompter.message(MessageKind::Warning, "Stop?", ButtonYesNo, Answer::No), Answer::No) << c.name;
        EXPECT_EQ(owner, c.owner) << c.name;
    }
}

} // namespace
} // namespace qv
