// QV-Update's help page against the topics the program opens, and F1
// opening it at the section of the window it is pressed in.
#include "apps/qv-update/update_application.h"
#include "platform/tests/help_page_check.h"
#include "platform/tests/qt_test_app.h"
#include "sim/virtual_instrument.h"

#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

using qv::test::HelpShownAt;
using qv::test::PressF1;

TEST(HelpWindows, EveryTopicTheProgramOpensHasItsSection)
{
    EXPECT_EQ(qv::test::HelpPageFaults(QUrl(qv::kUpdateHelpPage), qv::InUpdateHelp), std::vector<std::string>{});
}

TEST(HelpWindows, F1OpensTheSectionOfItsWindow)
{
    qv::sim::VirtualInstrument instrument;
    qv::UpdatePrompter dialogs;
    dialogs.setHelpPage(QUrl(qv::kUpdateHelpPage));
    qv::UpdateCommandLine line = qv::ParseUpdateCommandLine({}, "/opt/qv-update");
    line.simulator = true;
    qv::UpdateApplication app(line, qv::UpdateServices{instrument.clock, instrument.pump, dialogs, instrument.port,
                                                      [] { return std::vector<std::string>{}; }, {}});
    app.start();
    dialogs.setMainWindow(&app.mainForm());

    PressF1(&app.mainForm());
    EXPECT_EQ(HelpShownAt(dialogs), "topic-0");

    qv::TfrmRVTType& type = app.mainForm().rvtTypeDialog();
    type.show();
    PressF1(&type);
    EXPECT_EQ(HelpShownAt(dialogs), "topic-15");
    type.hide();
}

} // namespace
