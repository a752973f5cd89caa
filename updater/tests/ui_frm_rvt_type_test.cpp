#include "updater/ui/frm_rvt_type.h"

#include "link/identity_tables.h"
#include "platform/host/scripted_prompter.h"
#include "platform/tests/qt_test_app.h"

#include <QTest>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(TfrmRVTType, ShowsTheInstrumentTextsAndTheFullList)
{
    ScriptedPrompter prompter;
    TfrmRVTType form(prompter);
    EXPECT_EQ(form.objectName(), QStringLiteral("frmRVTType"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("RVTType."));
    EXPECT_EQ(form.size(), QSize(362, 172));
    auto* label = form.findChild<QLabel*>(QStringLiteral("lblInfo"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(),
              QStringLiteral("The instrument is in BIOS-Mode, it is therefore not possible\n to automatically identify "
                             "the instrument type.\n\nPlease select the correct instrument type from the dropdownbox "
                             "below."));

    auto* list = form.findChild<QComboBox*>(QStringLiteral("cbRVTType"));
    ASSERT_NE(list, nullptr);
    auto entries = BiosTypeList(Program::Update);
    ASSERT_EQ(list->count(), 22);
    for (int i = 0; i < list->count(); ++i)
        EXPECT_EQ(list->itemText(i).toStdString(), entries[size_t(i)].name);
    EXPECT_EQ(list->currentIndex(), 2);
}

TEST(TfrmRVTType, YesStoresTheCodeOfAnUpdateOnlyEntry)
{
    ScriptedPrompter prompter;
    TfrmRVTType form(prompter);
    form.show();
    auto* list = form.findChild<QComboBox*>(QStringLiteral("cbRVTType"));
    auto* ok = form.findChild<QPushButton*>(QStringLiteral("OKButton"));
    ASSERT_TRUE(list && ok);
    list->setCurrentIndex(list->findText(QStringLiteral("480 Series")));

    prompter.queueAnswer(Answer::Yes);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Are you sure that your instrument is a 480 Series?"});
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.chosenType(), 24);
}

} // namespace
} // namespace qv
