#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace qv {

// One message of received DOT text: a report such as "AA5,12*" (class,
// object, two numbers) or an update ("U") or power-up ("P") notice.
struct DotMessage {
    enum class Kind { Report, UpdateNotice, PowerUpNotice };
    Kind kind = Kind::Report;
    char messageClass = 0; // 'A' answer or report, 'F' refusal, 'N'
    char object = 0;
    int64_t first = 0;
    int64_t second = 0;
    // The character consumed after the second number, such as '*'; 0 when
    // the text ended there.
    char trailing = 0;
    // The text from the scan start up to the end of the second number.
    std::string text;
    // Characters other than '.' stood before the message.
    bool invalidBefore = false;
};

enum class DotScanStatus {
    Message,   // a message was taken from the front of the text
    None,      // the text holds no message start
    Malformed, // a report whose numbers are not integers: parsing stops
};

struct DotScan {
    DotScanStatus status = DotScanStatus::None;
    DotMessage message;
};

// Takes the next message from the front of text. A report consumes one more
// character after its second number (such as '*'); a notice consumes the
// whole rest of the text. Without a message, or with a malformed one, the
// text is left as it was.
DotScan ScanDotMessage(std::string& text);

// Numbers beyond int name no channel, item or preset: a report carrying
// one means nothing.
bool DotNumbersFitInt(const DotMessage& m);
// An "AI" identity report whose item and value the readers can take.
bool IsIdentityReport(const DotMessage& m);

// Drops what is left after a message that followed invalid characters when
// it is too short to hold another message.
inline constexpr size_t kDotShortRemainder = 5;

// Hands every message of the text to handle, in order, until the text ends
// or holds a malformed report.
void ForEachDotMessage(std::string text, const std::function<void(const DotMessage&)>& handle);
// The same while handle returns true.
void ForEachDotMessageWhile(std::string text, const std::function<bool(const DotMessage&)>& handle);

} // namespace qv
