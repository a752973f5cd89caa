#pragma once

#include <cstdint>
#include <string>

namespace qv {

class ConfigImage;

// The instrument's four-digit write-protect lock code: one word per digit,
// high byte 0 and the digit character in the low byte. "0000" is no lock.

inline constexpr char kLockDisabledCode[] = "0000";
inline constexpr char kLockCodeMessage[] = "Please enter a four digit number.";
inline constexpr int kLockCodeDigits = 4;
// Images from this version have a lock code.
inline constexpr uint16_t kLockCodeFromVersion = 0x0510;

// The stored code; "0000" when any word is not a digit with a zero high byte.
std::string StoredLockCode(const ConfigImage& image);
// Exactly four digits.
bool IsLockCode(const std::string& text);
// Stores four digits; false (nothing stored) for anything else.
bool StoreLockCode(ConfigImage& image, const std::string& code);

} // namespace qv
