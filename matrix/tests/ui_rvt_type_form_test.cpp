#include "matrix/ui/rvt_type_form.h"

#include "link/identity_tables.h"
#include "platform/host/scripted_prompter.h"
#include "platform/tests/qt_test_app.h"

#include <QTest>

#include <gtest/gtest.h>

namespace qv {
namespace {

class TRVTTypeFormTest : public ::testing::Test {
protected:
    ScriptedPrompter prompter;
};

TEST_F(TRVTTypeFormTest, ShowsItsTextsAndTheMatrixListWithTheThirdEntrySelected)
{
    TRVTTypeForm form(prompter);
    auto* group = form.findChild<QGroupBox*>(QStringLiteral("gbType"));
    auto* label = form.findChild<QLabel*>(QStringLiteral("lblInfo"));
    auto* list = form.findChild<QComboBox*>(QStringLiteral("cbRVTType"));
    auto* ok = form.findChild<QPushButton*>(QStringLiteral("OKButton"));
    ASSERT_TRUE(group && label && list && ok);

    EXPECT_EQ(form.objectName(), QStringLiteral("RVTTypeForm"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("RVTType."));
    EXPECT_EQ(form.size(), QSize(362, 172));
    EXPECT_EQ(group->title(), QStringLiteral("Select RVT-Type."));
    EXPECT_EQ(label->text(),
              QStringLiteral("The RVT is in BIOS-Mode, it therefore is not possible\n to automatically identify the "
                             "RVT-Type.\n\nPlease select the correct RVT-Type from the dropdownbox below."));
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_TRUE(ok->isDefault());

    auto entries = BiosTypeList(Program::Matrix);
    ASSERT_EQ(list->count(), 17);
    for (int i = 0; i < list->count(); ++i)
        EXPECT_EQ(list->itemText(i).toStdString(), entries[size_t(i)].name);
    EXPECT_EQ(list->currentIndex(), 2);
    EXPECT_EQ(list->currentText(), QStringLiteral("RVT470D"));
}

TEST_F(TRVTTypeFormTest, CentredOverItsParent)
{
    QWidget mainWindow;
    mainWindow.setGeometry(200, 150, 800, 600);
    mainWindow.show();
    TRVTTypeForm form(prompter, &mainWindow);
    form.show();
    const QPoint offset = form.frameGeometry().center() - mainWindow.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
}

TEST_F(TRVTTypeFormTest, NoKeepsItOpenYesStoresTheChosenType)
{
    TRVTTypeForm form(prompter);
    form.show();
    auto* list = form.findChild<QComboBox*>(QStringLiteral("cbRVTType"));
    auto* ok = form.findChild<QPushButton*>(QStringLiteral("OKButton"));
    ASSERT_TRUE(list && ok);
    list->setCurrentIndex(list->findText(QStringLiteral("RX4366K-W")));

    prompter.queueAnswer(Answer::No);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.chosenType(), std::nullopt);

    prompter.queueAnswer(Answer::Yes);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.chosenType(), 4);

    ASSERT_EQ(prompter.shown().size(), 2u);
    for (const auto& shown : prompter.shown()) {
        EXPECT_EQ(shown.kind, MessageKind::Confirmation);
        EXPECT_EQ(shown.text, "Are you sure that your RVT is a RX4366K-W?");
    }
}

} // namespace
} // namespace qv
