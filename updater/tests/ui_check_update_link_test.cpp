// "Check for updates..." against a web server on 127.0.0.1: the field
// queries, the outcome messages, the failures, and the link itself.
#include "updater/ui/check_update_link.h"

#include "field_server.h"
#include "platform/host/scripted_prompter.h"
#include "platform/tests/qt_test_app.h"

#include <QTcpServer>
#include <QTest>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::FieldAnswers;
using test::FieldServer;
using Kind = FieldServer::Kind;

constexpr const char* kProgram = "1.4.0.1";
constexpr const char* kWebAddress = "www.maker.test";
// Short, so that a server that never answers ends the check soon.
constexpr int kTestTimeoutMs = 300;
constexpr int kCheckEndsMs = 20000;
const std::string kNotContacted = "Could not contact the Qvella server.\r\rPlease try again later.";

struct Link {
    explicit Link(const QString& server) : link(prompter, kProgram, {server.toStdString(), kWebAddress}, nullptr)
    {
        link.setReadTimeout(kTestTimeoutMs);
    }
    // A click, as the label's link reports it.
    void click() { emit link.linkActivated(QStringLiteral("#")); }
    bool waitForEnd() { return QTest::qWaitFor([this] { return !link.checking(); }, kCheckEndsMs); }

    ScriptedPrompter prompter;
    TCheckUpdateLink link;
};

std::map<std::string, FieldServer::Answer> With(std::map<std::string, FieldServer::Answer> answers,
                                                const std::string& field, FieldServer::Answer answer)
{
    answers[field] = std::move(answer);
    return answers;
}

TEST(CheckUpdateLink, AsksTheServerAndSaysWhatItFound)
{
    const auto plain = FieldAnswers("1", "4", "0", "1");
    struct Case {
        const char* name;
        std::map<std::string, FieldServer::Answer> answers;
        size_t asked;
        MessageKind kind;
        std::string text;
    };
    const Case cases[] = {
        {"newer", FieldAnswers("1", "4", "0", "2"), 4, MessageKind::Information,
         "A new version (1.4.0.2) of QV-Update is available from the Qvella website.\r\rPlease go to "
         "\"www.maker.test\" and download the latest version."},
        {"same", plain, 4, MessageKind::Information, "This is the latest version of QV-Update."},
        {"older", FieldAnswers("1", "3", "12", "9"), 4, MessageKind::Information,
         "This is the latest version of QV-Update."},
        {"minor not a number", FieldAnswers("2", "beta", "0", "0"), 2, MessageKind::Information,
         "A new version (2.0.0.0) of QV-Update is available from the Qvella website.\r\rPlease go to "
         "\"www.maker.test\" and download the latest version."},
        {"major not a number", FieldAnswers("none", "4", "0", "1"), 1, MessageKind::Warning, kNotContacted},
        {"above 65535", FieldAnswers("1", "4", "70000", "1"), 3, MessageKind::Warning, kNotContacted},
        {"HTTP error", With(plain, "EXEVerMinor", {Kind::Status, "4", 404}), 2, MessageKind::Warning,
         kNotContacted},
        {"server error", With(plain, "EXEVerMajor", {Kind::Status, "1", 500}), 1, MessageKind::Warning,
         kNotContacted},
        {"connection dropped", With(plain, "EXEVerBuild", {Kind::Close, ""}), 4, MessageKind::Warning, kNotContacted},
        {"slow reply", With(plain, "EXEVerMinor", {Kind::Silent, ""}), 2, MessageKind::Warning, kNotContacted},
        {"megabyte body", With(plain, "EXEVerMajor", {Kind::Huge, ""}), 1, MessageKind::Warning, kNotContacted},
    };
    for (const Case& c : cases) {
        FieldServer server(c.answers, QStringLiteral("/qv/"));
        Link link(server.url());
        link.click();
        ASSERT_TRUE(link.waitForEnd()) << c.name;
        EXPECT_EQ(server.faults(), std::vector<std::string>{}) << c.name;
        const std::vector<std::string> asked = server.fieldsAsked();
        ASSERT_EQ(asked.size(), c.asked) << c.name;
        for (size_t i = 0; i < c.asked; ++i)
            EXPECT_EQ(asked[i], kVersionFields[i]) << c.name;
        ASSERT_EQ(link.prompter.shown().size(), 1u) << c.name;
        EXPECT_EQ(link.prompter.shown()[0].kind, c.kind) << c.name;
        EXPECT_EQ(link.prompter.shown()[0].text, c.text) << c.name;
    }
}

TEST(CheckUpdateLink, RedirectsAreFollowedOnlySoFar)
{
    FieldServer server(With(FieldAnswers("1", "4", "0", "1"), "EXEVerMajor", {Kind::Redirect, ""}));
    Link link(server.url());
    link.click();
    ASSERT_TRUE(link.waitForEnd());
    EXPECT_EQ(link.prompter.texts(), std::vector<std::string>{kNotContacted});
    EXPECT_GE(server.fields().size(), 2u) << "the first redirect is followed";
    EXPECT_LE(server.fields().size(), size_t(THTTP::kMaxRedirects + 1));
}

TEST(CheckUpdateLink, NobodyListening)
{
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    Link link(QStringLiteral("http://127.0.0.1:%1").arg(port));
    link.click();
    ASSERT_TRUE(link.waitForEnd());
    EXPECT_EQ(link.prompter.texts(), std::vector<std::string>{kNotContacted});
}

TEST(CheckUpdateLink, PleaseWaitWhileItAsksAndOneCheckAtATime)
{
    FieldServer server(FieldAnswers("1", "4", "0", "2"));
    Link link(server.url());
    const QString visited = QString::fromLatin1(TCheckUpdateLink::kVisitedColour);
    EXPECT_TRUE(link.link.text().contains(QStringLiteral("Check for updates...")));
    EXPECT_FALSE(link.link.text().contains(visited));

    link.click();
    EXPECT_TRUE(link.link.text().contains(QStringLiteral("Please wait...")));
    EXPECT_TRUE(link.link.text().contains(visited));
    EXPECT_FALSE(link.link.text().contains(QStringLiteral("<a "))) << "nothing to click meanwhile";
    link.click();
    link.link.lblCheckUpdateClick();
    ASSERT_TRUE(link.waitForEnd());
    EXPECT_EQ(server.fields().size(), 4u) << "one check";
    EXPECT_EQ(link.prompter.shown().size(), 1u);
    EXPECT_TRUE(link.link.text().contains(QStringLiteral("Check for updates...")));
    EXPECT_TRUE(link.link.text().contains(visited)) << "the colour stays";

    link.click();
    ASSERT_TRUE(link.waitForEnd());
    EXPECT_EQ(server.fields().size(), 8u) << "a later click checks again";
}

TEST(CheckUpdateLink, WithoutAUsableServerItSaysSo)
{
    const std::pair<QString, QString> cases[] = {
        {QString(), QString::fromLatin1(kNoUpdateServerText)},
        {QStringLiteral("ftp://updates.maker.test"), QString::fromLatin1(kUnusableUpdateServerText)},
    };
    for (const auto& [setting, text] : cases) {
        Link link(setting);
        EXPECT_TRUE(link.link.text().contains(text)) << setting.toStdString();
        EXPECT_FALSE(link.link.text().contains(QStringLiteral("<a "))) << "no link";
        EXPECT_EQ(link.link.toolTip(), QString::fromLatin1(kUpdateServerHintText));
        link.link.lblCheckUpdateClick();
        EXPECT_FALSE(link.link.checking());
        EXPECT_TRUE(link.prompter.shown().empty());
    }
}

} // namespace
} // namespace qv
