#pragma once

#include "scale/real48.h"
#include "scale/short_string.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qv {

inline constexpr size_t kScaleLines = 28;
inline constexpr size_t kScaleLineSize = 13;
inline constexpr size_t kScaleNoteSize = 2048;
inline constexpr size_t kScaleRecordSize = 2453;

// One line entry of a scale.
struct ScaleLine {
    Real48 value{};      // dB, relative to the reference
    ShortString<4> text; // label; empty or blank: unlabelled
    uint8_t kind = 0;    // LineKind; 0 no line
    uint8_t spare = 0;   // last byte of the entry: unused, carried as read

    double valueDb() const { return DecodeReal48(value); }
};

// One scale of a library, field by field as it lies in the file.
struct ScaleRecord {
    ShortString<4> shortName;
    uint8_t keyNo = 0; // kKeyNoTexts
    ShortString<26> description;
    uint8_t analogueFlag = 0; // 0 digital scale, 1 not
    uint8_t dynamics = 0;     // kDynamicsTexts
    Real48 reference{};       // dB
    std::array<ScaleLine, kScaleLines> lines{};
    std::array<uint8_t, kScaleNoteSize> note{};

    // The editor's rule: four spaces first, so a shorter name leaves spaces
    // in the positions after it.
    void setShortName(std::string_view text);

    double referenceDb() const { return DecodeReal48(reference); }

    // Up to the first NUL, or all 2048 bytes when there is none.
    std::string noteText() const;
    // Zero-fills the note, then copies at most 2048 bytes of text.
    void setNoteText(std::string_view text);
};

ScaleRecord ReadScaleRecord(std::span<const uint8_t, kScaleRecordSize> bytes);
void WriteScaleRecord(const ScaleRecord& record, std::span<uint8_t, kScaleRecordSize> bytes);

} // namespace qv
