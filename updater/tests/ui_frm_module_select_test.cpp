// The module selection dialog over its model: lines, greyed slots, the
// check marks the user changes and the OK button that needs one.
#include "updater/ui/frm_module_select.h"

#include "platform/tests/qt_test_app.h"

#include <QGroupBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct Dialog {
    Dialog() : selection(0xC0, {0xB0, 0xC0, 0, 0xC0, 0xFF, 0, 0}) { form.Load(selection); }

    QListWidget* list() { return form.findChild<QListWidget*>(QStringLiteral("chkModules")); }
    QPushButton* button(const char* name) { return form.findChild<QPushButton*>(QString::fromLatin1(name)); }

    ModuleSelection selection;
    TfrmModuleSelect form;
};

TEST(TfrmModuleSelect, OneLinePerSlotAndOnlyTheTargetsCanBeChosen)
{
    Dialog d;
    EXPECT_EQ(d.form.windowTitle(), QStringLiteral("Module selection..."));
    EXPECT_EQ(d.form.findChild<QGroupBox*>(QStringLiteral("grpModules"))->title(),
              QStringLiteral("Please select which modules to update."));
    QListWidget* list = d.list();
    ASSERT_EQ(list->count(), 7);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Slot #2 - 8 Channel Analogue Output Module, 8-ANA (C0)."));
    EXPECT_EQ(list->item(4)->text(), QStringLiteral("Slot #5 - Unknown Module (FF)."));
    for (int i = 0; i < 7; ++i) {
        const bool target = i == 1 || i == 3;
        EXPECT_EQ(bool(list->item(i)->flags() & Qt::ItemIsEnabled), target) << i;
        EXPECT_EQ(list->item(i)->checkState(), target ? Qt::Checked : Qt::Unchecked) << i;
    }
    EXPECT_TRUE(d.button("btnOK")->isEnabled());
    EXPECT_EQ(d.button("btnCancel")->text(), QStringLiteral("Cancel"));

    list->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(d.selection.slotIds()[1], 0) << "an unchecked slot is not programmed";
    EXPECT_TRUE(d.button("btnOK")->isEnabled());
    list->item(3)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(d.button("btnOK")->isEnabled()) << "nothing left to update";
    list->item(3)->setCheckState(Qt::Checked);
    EXPECT_EQ(d.selection.slotIds()[3], 0xC0);
    EXPECT_TRUE(d.button("btnOK")->isEnabled());
}

TEST(TfrmModuleSelect, OkAndCancel)
{
    for (const char* name : {"btnOK", "btnCancel"}) {
        Dialog d;
        QTimer::singleShot(0, &d.form, [&] { QTest::mouseClick(d.button(name), Qt::LeftButton); });
        EXPECT_EQ(d.form.ShowModal(d.selection), std::string(name) == "btnOK") << name;
    }
}

} // namespace
} // namespace qv
