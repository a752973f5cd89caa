#include "lock_code.h"

#include "config/config_image.h"

#include <algorithm>

namespace qv {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

std::string StoredLockCode(const ConfigImage& image)
{
    std::string code;
    for (int k = 0; k < kLockCodeDigits; ++k) {
        const uint16_t word = image.word(LockCodeAdr + 2 * k);
        const char digit = char(word & 0xFF);
        if ((word >> 8) != 0 || !IsDigit(digit))
            return kLockDisabledCode;
        code += digit;
    }
    return code;
}

bool IsLockCode(const std::string& text)
{
    return text.size() == size_t(kLockCodeDigits) && std::all_of(text.begin(), text.end(), IsDigit);
}

bool StoreLockCode(ConfigImage& image, const std::string& code)
{
    if (!IsLockCode(code))
        return false;
    for (int k = 0; k < kLockCodeDigits; ++k)
        image.setWord(LockCodeAdr + 2 * k, uint16_t(uint8_t(code[size_t(k)])));
    return true;
}

} // namespace qv
