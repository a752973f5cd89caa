// The version check's arithmetic, its queries and the reading of replies.
#include "updater/version_check.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using qv::ProgramVersion;

TEST(VersionCheck, ProgramVersionText)
{
    struct Case {
        const char* text;
        std::optional<ProgramVersion> version;
    };
    const Case cases[] = {
        {"1.4.0.1", ProgramVersion{1, 4, 0, 1}},
        {"65535.0.0.65535", ProgramVersion{65535, 0, 0, 65535}},
        {"1.4.0", std::nullopt},
        {"1.4.0.1.5", std::nullopt},
        {"1.4..1", std::nullopt},
        {"1.4.0.65536", std::nullopt},
        {"1.4.0.x", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qv::ParseProgramVersion(c.text), c.version) << c.text;
        if (c.version) {
            EXPECT_EQ(qv::VersionText(*c.version), c.text);
        }
    }
}

TEST(VersionCheck, UpToDateWhenNotOlder)
{
    struct Case {
        ProgramVersion program;
        ProgramVersion server;
        bool upToDate;
    };
    const Case cases[] = {
        {{1, 4, 0, 1}, {1, 4, 0, 2}, false},
        {{1, 4, 0, 1}, {1, 4, 0, 1}, true},
        {{1, 4, 0, 1}, {1, 3, 9999, 9999}, true},
        {{1, 4, 0, 1}, {2, 0, 0, 0}, false},
        {{1, 4, 0, 1}, {0, 0, 0, 0}, true},
        // Parts above 9999 as numbers, not as digits run together.
        {{1, 10000, 0, 0}, {1, 9999, 0, 0}, true},
        {{1, 4, 9999, 0}, {1, 4, 10000, 0}, false},
        {{65535, 65535, 65535, 65535}, {65535, 65535, 65535, 65534}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qv::IsUpToDate(c.program, c.server), c.upToDate)
            << qv::VersionText(c.program) << " against " << qv::VersionText(c.server);
}

TEST(VersionCheck, ServerSetting)
{
    struct Case {
        const char* text;
        bool valid;
        const char* url; // of the first field query with id "ID"
    };
    const Case cases[] = {
        {"updates.maker.test", true, "http://updates.maker.test:80/get_qvupdate_userinfo.php?id=ID&serial=8000&field=EXEVerMajor"},
        {"  updates.maker.test:8080 ", true, "http://updates.maker.test:8080/get_qvupdate_userinfo.php?id=ID&serial=8000&field=EXEVerMajor"},
        {"HTTP://127.0.0.1:5000/qv", true, "http://127.0.0.1:5000/qv/get_qvupdate_userinfo.php?id=ID&serial=8000&field=EXEVerMajor"},
        {"http://updates.maker.test/a/b/", true, "http://updates.maker.test:80/a/b/get_qvupdate_userinfo.php?id=ID&serial=8000&field=EXEVerMajor"},
        {"https://updates.maker.test", true, "https://updates.maker.test:443/get_qvupdate_userinfo.php?id=ID&serial=8000&field=EXEVerMajor"},
        {"", false, ""},
        {"ftp://updates.maker.test", false, ""},
        {"http://", false, ""},
        {"http://updates.maker.test:0", false, ""},
        {"http://updates.maker.test:70000", false, ""},
        {"http://updates.maker.test:80x", false, ""},
        {"http://user@updates.maker.test", false, ""},
        {"http://updates.maker.test/a b", false, ""},
        {"http://updates.maker.test/?x=1", false, ""},
        {"updates maker", false, ""},
    };
    for (const Case& c : cases) {
        const auto server = qv::ParseUpdateServer(c.text);
        ASSERT_EQ(server.has_value(), c.valid) << c.text;
        if (server) {
            EXPECT_EQ(qv::FieldQueryUrl(*server, "ID", qv::kVersionCheckSerial, "EXEVerMajor"), c.url);
        }
    }
    EXPECT_EQ(qv::FieldQueryIdText("EXEVerMinor", 8000), "QV-UpdateEXEVerMinor8000");
}

TEST(VersionCheck, FieldReplies)
{
    using Kind = qv::FieldValue::Kind;
    struct Case {
        const char* body;
        Kind kind;
        uint16_t value;
    };
    const Case cases[] = {
        {"2", Kind::Number, 2},
        {"0", Kind::Number, 0},
        {"65535", Kind::Number, 65535},
        {"00012", Kind::Number, 12},
        {" 7\r\n", Kind::Number, 7},
        {"+3", Kind::Number, 3},
        {"65536", Kind::OutOfRange, 0},
        {"70000", Kind::OutOfRange, 0},
        {"99999999999999999999999", Kind::OutOfRange, 0},
        {"-1", Kind::OutOfRange, 0},
        {"", Kind::NotANumber, 0},
        {"abc", Kind::NotANumber, 0},
        {"1.5", Kind::NotANumber, 0},
        {"0x10", Kind::NotANumber, 0},
        {"<html>Not found</html>", Kind::NotANumber, 0},
        {"-", Kind::NotANumber, 0},
    };
    for (const Case& c : cases) {
        const qv::FieldValue value = qv::ReadFieldValue(c.body);
        EXPECT_EQ(value.kind, c.kind) << c.body;
        EXPECT_EQ(value.value, c.value) << c.body;
    }
}

// The fields are asked in order until one fails or is no number.
TEST(VersionCheck, ChecksFieldByField)
{
    using Replies = std::vector<std::optional<std::string>>;
    struct Case {
        const char* name;
        Replies replies;
        size_t asked;
        bool upToDate;
        const char* version;
    };
    const std::optional<std::string> failed;
    const Case cases[] = {
        {"newer", {"1", "4", "0", "2"}, 4, false, "1.4.0.2"},
        {"same", {"1", "4", "0", "1"}, 4, true, "1.4.0.1"},
        {"older", {"1", "3", "9", "9"}, 4, true, "1.3.9.9"},
        {"minor no number", {"2", "beta"}, 2, false, "2.0.0.0"},
        {"major no number", {"beta"}, 1, true, "0.0.0.0"},
        {"above 65535", {"1", "70000"}, 2, false, "0.0.0.0"},
        {"failed query", {"1", "4", failed}, 3, false, "0.0.0.0"},
        {"first query failed", {failed}, 1, false, "0.0.0.0"},
    };
    const ProgramVersion program{1, 4, 0, 1};
    for (const Case& c : cases) {
        qv::VersionCheck check;
        size_t asked = 0;
        while (const auto field = check.nextField()) {
            ASSERT_LT(asked, c.replies.size()) << c.name;
            EXPECT_EQ(*field, qv::kVersionFields[asked]) << c.name;
            check.take(c.replies[asked++]);
        }
        EXPECT_EQ(asked, c.asked) << c.name;
        const qv::VersionCheckResult result = qv::CheckResult(check, program);
        EXPECT_EQ(result.upToDate, c.upToDate) << c.name;
        EXPECT_EQ(result.version, c.version) << c.name;
    }
}

TEST(VersionCheck, OutcomeMessages)
{
    using qv::MessageKind;
    struct Case {
        qv::VersionCheckResult result;
        const char* webAddress;
        MessageKind kind;
        const char* text;
    };
    const Case cases[] = {
        {{false, "1.4.0.2"}, "www.maker.test", MessageKind::Information,
         "A new version (1.4.0.2) of QV-Update is available from the Qvella website.\r\rPlease go to "
         "\"www.maker.test\" and download the latest version."},
        {{false, "1.4.0.2"}, "", MessageKind::Information,
         "A new version (1.4.0.2) of QV-Update is available from the Qvella website."},
        {{true, "1.4.0.1"}, "www.maker.test", MessageKind::Information, "This is the latest version of QV-Update."},
        {{true, "0.0.0.0"}, "www.maker.test", MessageKind::Warning,
         "Could not contact the Qvella server.\r\rPlease try again later."},
        {{false, "0.0.0.0"}, "www.maker.test", MessageKind::Warning,
         "Could not contact the Qvella server.\r\rPlease try again later."},
    };
    for (const Case& c : cases) {
        const qv::VersionCheckMessage message = qv::VersionCheckOutcome(c.result, c.webAddress);
        EXPECT_EQ(message.kind, c.kind) << c.text;
        EXPECT_EQ(message.text, c.text);
    }
}

} // namespace
