#include "dot_message.h"

#include <charconv>
#include <limits>

namespace qv {

namespace {

bool IsMessageStart(char c)
{
    return c == 'A' || c == 'F' || c == 'N' || c == 'P' || c == 'U';
}

bool IsNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '-';
}

// The longest run of digits and '-' from pos, as an integer.
bool TakeNumber(const std::string& text, size_t& pos, int64_t& value)
{
    size_t start = pos;
    while (pos < text.size() && IsNumberChar(text[pos]))
        ++pos;
    if (pos == start)
        return false;
    auto [end, ec] = std::from_chars(text.data() + start, text.data() + pos, value);
    return ec == std::errc() && end == text.data() + pos;
}

} // namespace

bool DotNumbersFitInt(const DotMessage& m)
{
    auto fits = [](int64_t v) { return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max(); };
    return fits(m.first) && fits(m.second);
}

bool IsIdentityReport(const DotMessage& m)
{
    return m.kind == DotMessage::Kind::Report && m.messageClass == 'A' && m.object == 'I' && DotNumbersFitInt(m);
}

DotScan ScanDotMessage(std::string& text)
{
    DotScan scan;
    size_t pos = 0;
    bool invalid = false;
    while (pos < text.size() && !IsMessageStart(text[pos])) {
        if (text[pos] != '.')
            invalid = true;
        ++pos;
    }
    if (pos == text.size())
        return scan;

    DotMessage& m = scan.message;
    m.invalidBefore = invalid;
    const char letter = text[pos];
    if (letter == 'U' || letter == 'P') {
        m.kind = letter == 'U' ? DotMessage::Kind::UpdateNotice : DotMessage::Kind::PowerUpNotice;
        m.text = text.substr(0, pos + 1);
        text.clear();
        scan.status = DotScanStatus::Message;
        return scan;
    }

    size_t p = pos + 1;
    scan.status = DotScanStatus::Malformed;
    if (p >= text.size())
        return scan;
    m.messageClass = letter;
    m.object = text[p++];
    if (!TakeNumber(text, p, m.first))
        return scan;
    if (p >= text.size())
        return scan;
    ++p; // the separator
    if (!TakeNumber(text, p, m.second))
        return scan;
    m.text = text.substr(0, p);
    if (p < text.size())
        m.trailing = text[p++]; // such as '*'
    text.erase(0, p);
    scan.status = DotScanStatus::Message;
    return scan;
}

void ForEachDotMessageWhile(std::string text, const std::function<bool(const DotMessage&)>& handle)
{
    for (;;) {
        DotScan scan = ScanDotMessage(text);
        if (scan.status != DotScanStatus::Message || !handle(scan.message))
            return;
        if (scan.message.invalidBefore && text.size() < kDotShortRemainder)
            text.clear();
    }
}

void ForEachDotMessage(std::string text, const std::function<void(const DotMessage&)>& handle)
{
    ForEachDotMessageWhile(std::move(text), [&](const DotMessage& m) {
        handle(m);
        return true;
    });
}

} // namespace qv
