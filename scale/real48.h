#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace qv {

// The 6-byte real number of scale library files. Byte 0 is the binary
// exponent biased by 129 (0 means the value 0), bytes 1 to 4 the low 32 bits
// of the 39-bit fraction (byte 1 least significant), byte 5 the sign (bit 7)
// and the top 7 fraction bits. value = ±(1 + f / 2^39) × 2^(e − 129).
using Real48 = std::array<uint8_t, 6>;

inline constexpr double kReal48Max = 0x1.FFFFFFFFFEp+126;
inline constexpr double kReal48MinNormal = 0x1p-128;

// The nearest Real48, ties to even. Magnitudes that round below the smallest
// normal value become six zero bytes. Values whose exponent would pass 255,
// infinities and NaN have no Real48: nothing is returned, never a wrapped
// exponent.
std::optional<Real48> EncodeReal48(double value);

double DecodeReal48(const Real48& bytes);

// Stores value into field; false (field unchanged) when it has no Real48.
bool StoreReal48(double value, Real48& field);

} // namespace qv
