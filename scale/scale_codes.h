#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The items of the editor's lists, in code order. Files may hold codes past
// the end of these tables; they are carried as they are.
inline constexpr std::array<std::string_view, 10> kKeyNoTexts = {
    "Key 1", "Key 2", "Key 3", "Key 4", "Key 5", "Key 6", "Key 7", "Leq", "1630 I", "1630 II",
};

inline constexpr std::array<std::string_view, 14> kDynamicsTexts = {
    "IEC 268-10 Type I",  "IEC 268-10 Type IIA and IIB", "DIN 45XXX",         "IEC 268-17 VU",
    "SONY DMU1630 60 dB", "SONY DMU1630  6 dB",          "DIGTAL TRUE PEAK",  "DIN 45XXX DIGITAL",
    "LOGITEC ULTRA-VU",   "DORROUGH MODEL 40",           "DORROUGH LOUDNESS", "LEQM",
    "CNN VU",             "CNN PEAK",
};

inline constexpr std::array<std::string_view, 9> kLineKindTexts = {
    "None",         "Solid White",   "Dashed White", "Solid Red", "Dashed Red",
    "Solid Yellow", "Dashed Yellow", "UnderLoad",    "Overload",
};

enum LineKind : uint8_t {
    KindNone = 0,
    KindSolidWhite = 1,
    KindDashedWhite = 2,
    KindSolidRed = 3,
    KindDashedRed = 4,
    KindSolidYellow = 5,
    KindDashedYellow = 6,
    KindUnderLoad = 7,
    KindOverload = 8,
};

inline constexpr uint8_t kLastLineKind = KindOverload;

// Kinds 1 to 8 are lines; 0 is none, and larger codes from foreign files
// are left out of the table rather than guessed at.
inline constexpr bool IsUsedKind(uint8_t kind)
{
    return kind >= 1 && kind <= kLastLineKind;
}

// The list text of a code, or "(code N)" for one outside the table.
template <size_t N>
std::string CodeText(const std::array<std::string_view, N>& texts, unsigned code)
{
    return code < N ? std::string(texts[code]) : "(code " + std::to_string(code) + ")";
}

} // namespace qv
