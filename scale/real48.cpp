#include "scale/real48.h"

#include <cmath>

namespace qv {

namespace {

constexpr int kBias = 129;
constexpr int kFractionBits = 39;
// A double carries 53 significant bits; a Real48 keeps 40 of them.
constexpr int kDroppedBits = 53 - (kFractionBits + 1);

} // namespace

std::optional<Real48> EncodeReal48(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    if (value == 0.0)
        return Real48{};

    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent); // [0.5, 1)
    uint64_t mantissa = uint64_t(std::ldexp(fraction, 53));          // [2^52, 2^53)
    int biased = exponent - 1 + kBias;

    const uint64_t half = uint64_t(1) << (kDroppedBits - 1);
    const uint64_t rest = mantissa & ((uint64_t(1) << kDroppedBits) - 1);
    mantissa >>= kDroppedBits;
    if (rest > half || (rest == half && (mantissa & 1)))
        ++mantissa;
    if (mantissa == uint64_t(1) << (kFractionBits + 1)) {
        mantissa >>= 1;
        ++biased;
    }
    if (biased <= 0)
        return Real48{};
    if (biased > 255)
        return std::nullopt;

    const uint64_t f = mantissa & ((uint64_t(1) << kFractionBits) - 1);
    Real48 bytes{};
    bytes[0] = uint8_t(biased);
    for (int i = 0; i < 4; ++i)
        bytes[size_t(1 + i)] = uint8_t(f >> (8 * i));
    bytes[5] = uint8_t((f >> 32) & 0x7F) | (std::signbit(value) ? 0x80 : 0x00);
    return bytes;
}

double DecodeReal48(const Real48& bytes)
{
    if (bytes[0] == 0)
        return 0.0;
    uint64_t f = uint64_t(bytes[5] & 0x7F) << 32;
    for (int i = 0; i < 4; ++i)
        f |= uint64_t(bytes[size_t(1 + i)]) << (8 * i);
    const double magnitude = std::ldexp(double((uint64_t(1) << kFractionBits) | f), bytes[0] - kBias - kFractionBits);
    return (bytes[5] & 0x80) ? -magnitude : magnitude;
}

bool StoreReal48(double value, Real48& field)
{
    const auto bytes = EncodeReal48(value);
    if (!bytes)
        return false;
    field = *bytes;
    return true;
}

} // namespace qv
