#include "matrix/ui/label_edit_form.h"
#include "platform/host/scripted_prompter.h"
#include "platform/tests/qt_test_app.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(TLabelEditForm, RunsModallyAndGivesTheTypedTexts)
{
    ScriptedPrompter prompter;
    TLabelEditForm form(prompter);
    form.setupSingle(QStringLiteral("Output #12"), QStringLiteral("Output Name"), QStringLiteral("OLD "));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Output #12"));
    EXPECT_EQ(form.findChild<QGroupBox*>(QStringLiteral("gbLabel"))->title(), QStringLiteral("Output Name"));
    EXPECT_FALSE(form.advanced());

    QTimer::singleShot(0, &form, [&] {
        auto* edit = form.findChild<QLineEdit*>(QStringLiteral("editLabel"));
        ASSERT_TRUE(edit);
        QTest::keyClicks(edit, QStringLiteral("LEFT1")); // the old text is selected, one too many
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    });
    ASSERT_EQ(form.exec(), QDialog::Accepted);
    EXPECT_EQ(form.texts(), QStringList{QStringLiteral("LEFT")});
    EXPECT_TRUE(prompter.shown().empty());
}

TEST(TLabelEditForm, AdvancedRowsCheckEveryText)
{
    ScriptedPrompter prompter;
    TLabelEditForm form(prompter);
    form.setupAdvanced(QStringLiteral("Input #3"), {{QStringLiteral("Input #3"), QStringLiteral("AAAA")},
                                                    {QStringLiteral("Input #4"), QStringLiteral("BBBB")},
                                                    {QStringLiteral("Output #1"), QStringLiteral("CCCC")}});
    EXPECT_TRUE(form.advanced());
    EXPECT_EQ(form.findChild<QGroupBox*>(QStringLiteral("gbLabel"))->title(), QStringLiteral("Advanced Rename."));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("lblOld3"))->text(), QStringLiteral("CCCC"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("lblRow3"))->text(), QStringLiteral("Output #1"));
    EXPECT_EQ(form.texts(), (QStringList{"AAAA", "BBBB", "CCCC"}));

    form.show();
    form.findChild<QLineEdit*>(QStringLiteral("editLabel2"))->setText(QStringLiteral("B\u00e9"));
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"The text contains one or more illegal characters."});

    // Setting the form up again replaces the rows.
    form.setupSingle(QStringLiteral("Input #1"), QStringLiteral("Input Name"), QStringLiteral("X"));
    EXPECT_EQ(form.texts(), QStringList{QStringLiteral("X")});
    EXPECT_EQ(form.findChild<QLineEdit*>(QStringLiteral("editLabel2")), nullptr);
}

TEST(TLabelEditForm, AdvancedRowsStayClearOfTheScrollBar)
{
    for (int count : {3, 12, 13, 40}) {
        ScriptedPrompter prompter;
        TLabelEditForm form(prompter);
        QList<QPair<QString, QString>> rows;
        for (int k = 1; k <= count; ++k)
            rows.push_back({QStringLiteral("Output #%1").arg(k), QStringLiteral("WWWW")});
        form.setupAdvanced(QStringLiteral("Output #1"), rows);
        form.show();
        QApplication::processEvents();
        auto* scroll = form.findChild<QScrollArea*>(QStringLiteral("sbRows"));
        const QRect visible = scroll->viewport()->rect();
        for (QLineEdit* edit : form.findChildren<QLineEdit*>()) {
            const QRect at(edit->mapTo(scroll->viewport(), QPoint(0, 0)), edit->size());
            EXPECT_LE(at.right(), visible.right()) << count << " rows: " << edit->objectName().toStdString();
        }
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible()) << count;
        EXPECT_EQ(scroll->verticalScrollBar()->isVisible(), count > 12) << count;
    }
}

} // namespace
} // namespace qv
