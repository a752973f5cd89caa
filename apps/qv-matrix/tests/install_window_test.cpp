// The software installation in the whole program against the simulated
// instrument on virtual time: opened from the menu, the command line, the
// hand-over and a dropped package, and a package installed from it.
#include "platform/tests/qt_test_app.h"
#include "program_fixture.h"
#include "service/software_install.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using qv::Answer;
using qv::SoftwareInstall;
using qv::test::Program;

const QString kPackage = QStringLiteral(QV_EXAMPLES_DIR "/software-blocks.CDP");
constexpr char kQuestion[] =
    "Do you wish to install new software on the RVT120S with the serial number 12345 connected on SIM?";

// What the open window shows, and a click once the window runs modally.
struct Seen {
    bool visible = false;
    QString caption;
    QString source;
};

void WhenShown(Program& p, Seen& seen, const char* button, std::function<void(qv::TInstallForm&)> prepare = {})
{
    QTimer::singleShot(0, [&p, &seen, button, prepare] {
        qv::TInstallForm& form = p.app->installation();
        seen = {form.isVisible(), form.windowTitle(), form.findChild<QLineEdit*>("SourceFileName")->text()};
        if (prepare)
            prepare(form);
        form.findChild<QPushButton*>(button)->click();
    });
}

void WithoutBackup(qv::TInstallForm& form)
{
    form.findChild<QCheckBox*>("BackupCheck")->setChecked(false);
}

TEST(InstallWindow, FromTheMenuAPackageGoesIn)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    p.prompter.clearShown();
    Seen seen;
    WhenShown(p, seen, "Execute", [](qv::TInstallForm& form) {
        WithoutBackup(form);
        form.findChild<QLineEdit*>("SourceFileName")->setText(kPackage);
    });
    p.trigger("mnuInstallSoftware");
    EXPECT_TRUE(seen.visible);
    EXPECT_EQ(seen.caption, "RVT120S");
    EXPECT_FALSE(p.app->installation().isVisible()) << "closed when the installation has ended";
    EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{SoftwareInstall::kCompleteText});
    EXPECT_EQ(p.instrument.options().softwareVersion, 0x0540);
    EXPECT_EQ(p.form().field(qv::MainField::Connection), "RVT120S") << "connected again";
}

TEST(InstallWindow, ACommandLinePackageIsInstalledAndTheProgramEnds)
{
    Program p({}, {kPackage});
    p.prompter.queueAnswer(Answer::Yes);
    Seen seen;
    WhenShown(p, seen, "Execute", WithoutBackup);
    EXPECT_FALSE(p.app->start()) << "the program ends after the window";
    EXPECT_TRUE(seen.visible);
    EXPECT_EQ(seen.source, kPackage) << "preselected";
    EXPECT_EQ(p.prompter.texts(), (std::vector<std::string>{kQuestion, SoftwareInstall::kCompleteText}));
    EXPECT_EQ(p.instrument.options().softwareVersion, 0x0540);
}

TEST(InstallWindow, HandedOverAndDroppedPackagesOpenIt)
{
    struct Case {
        const char* name;
        std::function<void(Program&)> give;
    };
    const std::vector<Case> cases{
        {"hand-over", [](Program& p) { p.form().handOver(kPackage); }},
        {"drop", [](Program& p) { p.form().dispatchDroppedFiles({kPackage}); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p;
        ASSERT_TRUE(p.app->start());
        p.prompter.clearShown();
        p.prompter.queueAnswer(Answer::Yes);
        Seen seen;
        WhenShown(p, seen, "Cancel");
        c.give(p);
        EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{kQuestion});
        EXPECT_TRUE(seen.visible);
        EXPECT_EQ(seen.source, kPackage);
        EXPECT_FALSE(p.app->installation().isVisible()) << "Cancel closes it before anything ran";
        EXPECT_EQ(p.instrument.options().softwareVersion, 0x0530);
    }
}

} // namespace
