#pragma once

#include "platform/host/prompter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// "Check for updates...": what QV-Update asks the maker's web server and
// what it makes of the replies. The HTTP client itself lives with the window.
namespace qv {

// Major, minor, release, build.
using ProgramVersion = std::array<uint16_t, 4>;

// "1.4.0.1"; nothing unless four numbers of 0 to 65535 separated by dots.
std::optional<ProgramVersion> ParseProgramVersion(std::string_view text);
// The pattern "%d.%d.%d.%d" filled in.
std::string VersionText(const ProgramVersion& version);
// Up to date: the program's version is not older than the server's.
bool IsUpToDate(const ProgramVersion& program, const ProgramVersion& server);

// Where the server is: [Settings] UpdateServer or --update-server.
struct UpdateServer {
    std::string scheme = "http";
    std::string host;
    int port = 80;
    std::string basePath = "/"; // begins and ends with "/"
};

// "host", "host:port" or an http:// or https:// address with an optional
// port and base path; nothing for anything else.
std::optional<UpdateServer> ParseUpdateServer(std::string_view text);

// The serial number the program's own check sends.
inline constexpr int kVersionCheckSerial = 8000;
// The fields, asked in this order.
inline constexpr std::array<const char*, 4> kVersionFields = {"EXEVerMajor", "EXEVerMinor", "EXEVerRelease",
                                                              "EXEVerBuild"};

// The text whose MD5 digest, in lowercase hexadecimal, is a query's id.
std::string FieldQueryIdText(const std::string& field, int serial);
std::string FieldQueryUrl(const UpdateServer& server, const std::string& id, int serial, const std::string& field);

// A field reply's body.
struct FieldValue {
    enum class Kind {
        Number,
        NotANumber, // the remaining fields are not asked and stay 0
        OutOfRange, // the check fails
    };
    Kind kind = Kind::NotANumber;
    uint16_t value = 0;
};
FieldValue ReadFieldValue(std::string_view body);

// The check, one field query at a time: the caller runs the query that
// nextField names and hands its outcome to take().
class VersionCheck {
public:
    // The field to ask next; nothing once the check is over.
    std::optional<std::string> nextField() const;
    // The reply's body, or nothing when the query failed (no connection,
    // time-out, HTTP error, a reply too long to be a field).
    void take(const std::optional<std::string>& body);
    bool finished() const { return !nextField(); }
    // 0.0.0.0 after any failure.
    const ProgramVersion& serverVersion() const { return numbers_; }
    bool failed() const { return failed_; }

private:
    ProgramVersion numbers_{};
    size_t asked_ = 0;
    bool stopped_ = false;
    bool failed_ = false;
};

struct VersionCheckResult {
    bool upToDate = false;
    std::string version; // the server's, "0.0.0.0" when it could not be had
};
VersionCheckResult CheckResult(const VersionCheck& check, const ProgramVersion& program);

// What "Check for updates..." tells the user. Without a web address the
// message leaves the address out.
struct VersionCheckMessage {
    MessageKind kind = MessageKind::Warning;
    std::string text;
};
VersionCheckMessage VersionCheckOutcome(const VersionCheckResult& result, const std::string& webAddress);

// Without a usable server there is nothing to ask.
inline constexpr const char* kNoUpdateServerText = "No update server set.";
inline constexpr const char* kUnusableUpdateServerText = "Update server not usable.";
inline constexpr const char* kUpdateServerHintText =
    "The update server is [Settings] UpdateServer in QV-Update.INI, or --update-server URL on the command line: "
    "a host name or an http:// address.";

inline constexpr const char* kLatestVersionText = "This is the latest version of QV-Update.";
inline constexpr const char* kServerNotContactedText = "Could not contact the Qvella server.\r\rPlease try again later.";

} // namespace qv
