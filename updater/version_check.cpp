#include "version_check.h"

#include <algorithm>
#include <cctype>

namespace qv {

namespace {

constexpr uint32_t kLargestField = 65535;
constexpr int kLargestPort = 65535;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Digits only; nothing for an empty text or a value above the limit.
std::optional<uint32_t> Digits(std::string_view text, uint32_t limit)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit))
        return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        value = value * 10 + uint32_t(c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

std::string Lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool IsHostCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
}

bool IsPathCharacter(char c)
{
    return c > ' ' && c < 0x7F && c != '?' && c != '#' && c != '\\';
}

} // namespace

std::optional<ProgramVersion> ParseProgramVersion(std::string_view text)
{
    ProgramVersion version{};
    for (size_t i = 0; i < version.size(); ++i) {
        const size_t dot = i + 1 < version.size() ? text.find('.') : text.size();
        if (dot == std::string_view::npos)
            return std::nullopt;
        const auto number = Digits(text.substr(0, dot), kLargestField);
        if (!number)
            return std::nullopt;
        version[i] = uint16_t(*number);
        text.remove_prefix(std::min(text.size(), dot + 1));
    }
    return version;
}

std::string VersionText(const ProgramVersion& version)
{
    std::string text;
    for (uint16_t part : version)
        text += (text.empty() ? "" : ".") + std::to_string(part);
    return text;
}

// Number by number. Joined into one decimal number of four-digit groups, a
// part above 9999 would take more digits and sort wrongly, and four such
// parts would not fit 64 bits.
bool IsUpToDate(const ProgramVersion& program, const ProgramVersion& server)
{
    return program >= server;
}

std::optional<UpdateServer> ParseUpdateServer(std::string_view text)
{
    text = Trimmed(text);
    UpdateServer server;
    const size_t schemeEnd = text.find("://");
    if (schemeEnd != std::string_view::npos) {
        server.scheme = Lower(text.substr(0, schemeEnd));
        if (server.scheme != "http" && server.scheme != "https")
            return std::nullopt;
        server.port = server.scheme == "https" ? 443 : 80;
        text.remove_prefix(schemeEnd + 3);
    }
    const size_t slash = text.find('/');
    std::string_view authority = text.substr(0, slash);
    if (slash != std::string_view::npos) {
        const std::string_view path = text.substr(slash);
        if (!std::all_of(path.begin(), path.end(), IsPathCharacter))
            return std::nullopt;
        server.basePath = std::string(path);
        if (server.basePath.back() != '/')
            server.basePath += '/';
    }
    const size_t colon = authority.find(':');
    if (colon != std::string_view::npos) {
        const auto port = Digits(authority.substr(colon + 1), kLargestPort);
        if (!port || *port == 0)
            return std::nullopt;
        server.port = int(*port);
        authority = authority.substr(0, colon);
    }
    if (authority.empty() || !std::all_of(authority.begin(), authority.end(), IsHostCharacter))
        return std::nullopt;
    server.host = std::string(authority);
    return server;
}

std::string FieldQueryIdText(const std::string& field, int serial)
{
    return "QV-Update" + field + std::to_string(serial);
}

std::string FieldQueryUrl(const UpdateServer& server, const std::string& id, int serial, const std::string& field)
{
    return server.scheme + "://" + server.host + ":" + std::to_string(server.port) + server.basePath +
           "get_qvupdate_userinfo.php?id=" + id + "&serial=" + std::to_string(serial) + "&field=" + field;
}

FieldValue ReadFieldValue(std::string_view body)
{
    // A trailing line end is how most servers finish a body.
    body = Trimmed(body);
    bool negative = false;
    if (!body.empty() && (body.front() == '-' || body.front() == '+')) {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    if (body.empty() || !std::all_of(body.begin(), body.end(), IsDigit))
        return {FieldValue::Kind::NotANumber};
    const auto value = Digits(body, kLargestField);
    // A negative number is a number too, but no part of a version.
    if (!value || (negative && *value != 0))
        return {FieldValue::Kind::OutOfRange};
    return {FieldValue::Kind::Number, uint16_t(*value)};
}

std::optional<std::string> VersionCheck::nextField() const
{
    if (stopped_ || failed_ || asked_ >= kVersionFields.size())
        return std::nullopt;
    return kVersionFields[asked_];
}

void VersionCheck::take(const std::optional<std::string>& body)
{
    if (finished())
        return;
    const FieldValue value = body ? ReadFieldValue(*body) : FieldValue{FieldValue::Kind::OutOfRange};
    switch (value.kind) {
    case FieldValue::Kind::Number:
        numbers_[asked_++] = value.value;
        break;
    case FieldValue::Kind::NotANumber:
        stopped_ = true;
        break;
    case FieldValue::Kind::OutOfRange:
        failed_ = true;
        numbers_ = {};
        break;
    }
}

VersionCheckResult CheckResult(const VersionCheck& check, const ProgramVersion& program)
{
    if (check.failed())
        return {false, VersionText({})};
    return {IsUpToDate(program, check.serverVersion()), VersionText(check.serverVersion())};
}

VersionCheckMessage VersionCheckOutcome(const VersionCheckResult& result, const std::string& webAddress)
{
    if (result.version == VersionText({}))
        return {MessageKind::Warning, kServerNotContactedText};
    if (result.upToDate)
        return {MessageKind::Information, kLatestVersionText};
    std::string text = "A new version (" + result.version + ") of QV-Update is available from the Qvella website.";
    if (!webAddress.empty())
        text += "\r\rPlease go to \"" + webAddress + "\" and download the latest version.";
    return {MessageKind::Information, text};
}

} // namespace qv
