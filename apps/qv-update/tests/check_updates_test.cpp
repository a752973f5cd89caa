// qv-update --check-updates: the outcome printed and told by the exit status.
#include "apps/qv-update/check_updates.h"
#include "platform/tests/qt_test_app.h"
#include "updater/tests/field_server.h"
#include "updater/update_command_line.h"

#include <QTcpServer>

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

} // namespace
