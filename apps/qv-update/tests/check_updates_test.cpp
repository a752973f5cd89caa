// qv-update --check-updates: the outcome printed and told by the exit status.
#include "apps/qv-update/check_updates.h"
#include "platform/tests/qt_test_app.h"
#include "updater/tests/field_server.h"
#include "updater/update_command_line.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

namespace {

using qv::test::FieldAnswers;
using qv::test::FieldServer;

std::string Contents(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        text += char(c);
    return text;
}

TEST(CheckUpdates, PrintsTheOutcomeAndTellsItByTheExitStatus)
{
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const QString closed = QStringLiteral("127.0.0.1:%1").arg(probe.serverPort());
    probe.close();
    struct Case {
        const char* name;
        std::optional<std::map<std::string, FieldServer::Answer>> answers; // none: closed port
        int status;
        const char* printed;
    };
    const Case cases[] = {
        {"newer", FieldAnswers("1", "4", "0", "2"), qv::kExitFailed,
         "Information: A new version (1.4.0.2) of QV-Update is available from the Qvella website.\n\nPlease go to "
         "\"www.maker.test\" and download the latest version.\n"},
        {"same", FieldAnswers("1", "4", "0", "1"), qv::kExitDone,
         "Information: This is the latest version of QV-Update.\n"},
        {"older", FieldAnswers("1", "3", "0", "0"), qv::kExitDone,
         "Information: This is the latest version of QV-Update.\n"},
        {"no number", FieldAnswers("?", "3", "0", "0"), qv::kExitFailed,
         "Warning: Could not contact the Qvella server.\n\nPlease try again later.\n"},
        {"closed port", std::nullopt, qv::kExitFailed,
         "Warning: Could not contact the Qvella server.\n\nPlease try again later.\n"},
    };
    for (const Case& c : cases) {
        std::optional<FieldServer> server;
        if (c.answers)
            server.emplace(*c.answers);
        const std::string url = (server ? server->url() : closed).toStdString();
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        EXPECT_EQ(qv::RunUpdateCheck(url, "www.maker.test", "1.4.0.1", 2000, out, err), c.status) << c.name;
        EXPECT_EQ(Contents(out), c.printed) << c.name;
        EXPECT_EQ(Contents(err), "") << c.name;
        std::fclose(out);
        std::fclose(err);
    }
}

TEST(CheckUpdates, NoServerToAsk)
{
    for (const char* setting : {"", "ftp://updates.maker.test"}) {
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        EXPECT_EQ(qv::RunUpdateCheck(setting, "", "1.4.0.1", 2000, out, err), qv::kExitUsage) << setting;
        EXPECT_EQ(Contents(out), "");
        EXPECT_NE(Contents(err).find("[Settings] UpdateServer"), std::string::npos) << setting;
        std::fclose(out);
        std::fclose(err);
    }
}

// The real program, its server from the command line or from its settings.
TEST(CheckUpdates, TheProgramAsksWithoutAWindow)
{
    FieldServer server(FieldAnswers("1", "4", "0", "0"));
    QTemporaryDir config;
    ASSERT_TRUE(QDir(config.path()).mkpath(QStringLiteral("QV-Update")));
    QFile settings(config.path() + "/QV-Update/QV-Update.INI");
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[Settings]\nWebAddress=www.maker.test\nUpdateServer=" + server.url().toUtf8() + "\n");
    settings.close();
    struct Case {
        QStringList arguments;
        int status;
        const char* printed;
    };
    const Case cases[] = {
        {{"--check-updates"}, qv::kExitDone, "Information: This is the latest version of QV-Update.\n"},
        {{"--batch", "--check-updates", "--update-server", "127.0.0.1:1"}, qv::kExitFailed,
         "Warning: Could not contact the Qvella server.\n\nPlease try again later.\n"},
    };
    for (const Case& c : cases) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QV_UPDATE_PATH), c.arguments);
        // The server answers from this event loop while the program runs.
        ASSERT_TRUE(QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, 60000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), c.status) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(program.readAllStandardOutput().toStdString(), c.printed);
    }
    EXPECT_EQ(server.fieldsAsked().size(), 4u) << "the settings' server";
    EXPECT_TRUE(server.faults().empty());
}

} // namespace
