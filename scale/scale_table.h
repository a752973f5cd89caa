#pragma once

#include "scale/scale_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

inline constexpr size_t kScaleTableWords = 128;
inline constexpr size_t kScaleTableBytes = 2 * kScaleTableWords;

// What one scale becomes in the instrument: W0..W127, host byte order.
using ScaleTable = std::array<uint16_t, kScaleTableWords>;

// Word positions of the header; the line stream starts at W10.
enum ScaleTableWord : size_t {
    kWordName = 0,
    kWordLaw = 2,
    kWordLawA = 3,
    kWordLawB = 4,
    kWordLowest = 5,
    kWordHighest = 6,
    kWordDigital = 7,
    kWordReference = 8,
    kWordGroups = 9,
    kWordStream = 10,
};

inline constexpr uint16_t kDigitalScaleMark = 0x8F9D;
inline constexpr size_t kMaxLabelLength = 4;

// Scale law code (W2) and its parameters A and B (W3, W4) for a Dynamics code.
uint16_t ScaleLawCode(uint8_t dynamics);
uint16_t ScaleLawA(uint8_t dynamics);
uint16_t ScaleLawB(uint8_t dynamics);

// x rounded to the nearest integer, halves to even, and only its low 16
// bits kept; infinities and NaN give 0.
uint16_t RoundToWord(double x);

// The reference factor F of a reference in dB, and the amplitude of a line
// value in dB for that factor.
uint16_t ReferenceFactor(double referenceDb);
uint16_t LineAmplitude(uint16_t referenceFactor, double valueDb);

// A used line is labelled when its text, trimmed of characters of code 32
// and below at both ends, is not empty.
bool IsLabelled(const ScaleLine& line);

// Builds the table of record. digital is the "Digital Scale." box;
// referenceText the reference field as shown. Writes back the record's
// AnalogueFlag and, on success, the right-trimmed texts of labelled lines.
// Fails, table unchanged, when referenceText does not read as an integer
// once its separators are removed, or when the line stream would not fit
// W10..W127; error holds the message.
bool MakeScale(ScaleRecord& record, bool digital, std::string_view referenceText, ScaleTable& table,
               std::string& error);

// The table as the instrument takes it: each word high byte first.
std::array<uint8_t, kScaleTableBytes> ScaleTableBytes(const ScaleTable& table);

} // namespace qv
