// The instrument's display: the picture it draws, its video memory and the
// display controller's escape commands.
#include "instrument.h"

#include "wire_codes.h"

namespace qv::sim {

namespace {

constexpr uint8_t kEscape = 0x1B;
constexpr uint8_t kFreezeCommand = 'q';
constexpr uint8_t kResetCommand = 'r';
constexpr int kSoftkeys = 8;

} // namespace

int Instrument::selectedKey() const
{
    for (auto key = keys_.rbegin(); key != keys_.rend(); ++key)
        if (*key >= 1 && *key <= kSoftkeys)
            return *key;
    return 0;
}

void Instrument::refreshLcd()
{
    if (lcdFrozen_ || !lcdDirty_)
        return;
    lcdDirty_ = false;
    lcd_ = drawLcd(memory_, live_, options_.serial, options_.softwareVersion, selectedKey(),
                   downloadMode_ ? LcdContent::DownloadMode : LcdContent::Meters);
    encodeLcd(lcd_, lcdLayout(), memory_);
}

const LcdPicture& Instrument::lcdPicture()
{
    refreshLcd();
    return lcd_;
}

void Instrument::freezeLcd(bool frozen)
{
    // Frozen, it keeps what it shows at this moment.
    if (frozen)
        refreshLcd();
    lcdFrozen_ = frozen;
}

bool Instrument::handleDisplayEscape(uint8_t byte)
{
    // The display controller takes the byte after an escape, whether it
    // knows the command or not.
    if (afterEscape_) {
        afterEscape_ = false;
        if (byte == kFreezeCommand)
            freezeLcd(true);
        if (byte == kResetCommand) {
            // It starts afresh: running, everything drawn anew.
            freezeLcd(false);
            screenChanged();
        }
        return true;
    }
    afterEscape_ = byte == kEscape;
    return afterEscape_;
}

} // namespace qv::sim
