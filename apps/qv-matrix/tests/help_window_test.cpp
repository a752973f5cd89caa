// QV-Matrix's help page against the topics the program opens, and F1, the
// Help menu and the Help buttons opening it at the section of their window.
#include "matrix/ui/rvt_type_form.h"
#include "options/ui/options_form.h"
#include "platform/qt/qt_prompter.h"
#include "platform/tests/help_page_check.h"
#include "platform/tests/qt_test_app.h"
#include "program_fixture.h"

#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

using qv::test::HelpShownAt;
using qv::test::PressF1;
using qv::test::Program;

TEST(HelpWindows, EveryTopicTheProgramOpensHasItsSection)
{
    EXPECT_EQ(qv::test::HelpPageFaults(QUrl(qv::kMatrixHelpPage), qv::InMatrixHelp), std::vector<std::string>{});
}

TEST(HelpWindows, F1AndTheHelpButtonsOpenTheSectionOfTheirWindow)
{
    qv::QtPrompter dialogs;
    dialogs.setHelpPage(QUrl(qv::kMatrixHelpPage));
    Program p({}, {}, &dialogs);
    ASSERT_TRUE(p.app->start());

    PressF1(&p.form());
    EXPECT_EQ(HelpShownAt(dialogs), "topic-0");

    p.trigger("mnuOptions");
    auto* options = p.form().findChild<qv::TOptionsForm*>();
    ASSERT_TRUE(options && options->isVisible());
    PressF1(options);
    EXPECT_EQ(HelpShownAt(dialogs), "topic-31");
    dialogs.helpViewer()->hide();
    QTest::mouseClick(options->findChild<QPushButton*>("HelpButton"), Qt::LeftButton);
    EXPECT_EQ(HelpShownAt(dialogs), "topic-31");
    options->reject();

    p.trigger("mnuHelp");
    EXPECT_EQ(HelpShownAt(dialogs), "topic-0");

    qv::TRVTTypeForm type(dialogs, &p.form());
    type.show();
    PressF1(&type);
    EXPECT_EQ(HelpShownAt(dialogs), "topic-15");
}

} // namespace
