#include "scale/real48.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

qv::Real48 Bytes(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4, uint8_t b5)
{
    return {b0, b1, b2, b3, b4, b5};
}

struct Known {
    double value;
    qv::Real48 bytes;
};

TEST(Real48, KnownEncodingsBothWays)
{
    const Known cases[] = {
        {0.0, Bytes(0x00, 0, 0, 0, 0, 0x00)},
        {1.0, Bytes(0x81, 0, 0, 0, 0, 0x00)},
        {-1.0, Bytes(0x81, 0, 0, 0, 0, 0x80)},
        {0.5, Bytes(0x80, 0, 0, 0, 0, 0x00)},
        {4.0, Bytes(0x83, 0, 0, 0, 0, 0x00)},
        {-12.5, Bytes(0x84, 0, 0, 0, 0, 0xC8)},
        // A fraction bit in byte 1: 1 + 2^-39.
        {1.0 + 0x1p-39, Bytes(0x81, 0x01, 0, 0, 0, 0x00)},
        {qv::kReal48Max, Bytes(0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F)},
        {-qv::kReal48Max, Bytes(0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF)},
        {qv::kReal48MinNormal, Bytes(0x01, 0, 0, 0, 0, 0x00)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const auto encoded = qv::EncodeReal48(c.value);
        ASSERT_TRUE(encoded);
        EXPECT_EQ(*encoded, c.bytes);
        EXPECT_EQ(qv::DecodeReal48(c.bytes), c.value);
    }
}

TEST(Real48, RoundsToTheNearestTiesToEven)
{
    struct Case {
        double value;
        double stored;
    };
    const Case cases[] = {
        {1.0 + 0x1p-40, 1.0},                        // half way, even below
        {1.0 + 3 * 0x1p-40, 1.0 + 2 * 0x1p-39},      // half way, even above
        {1.0 + 0x1p-40 + 0x1p-52, 1.0 + 0x1p-39},    // just past half
        {2.0 - 0x1p-41, 2.0},                        // carries into the exponent
        {0.1, 0x1.999999999Ap-4},                    // nearest of an inexact value
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const auto encoded = qv::EncodeReal48(c.value);
        ASSERT_TRUE(encoded);
        EXPECT_EQ(qv::DecodeReal48(*encoded), c.stored);
    }
}

TEST(Real48, DecodedValuesEncodeToTheSameBytes)
{
    for (double v : {-12.5, 4.0, 18.0, -60.0, 0.001, 12345.0, -0.5, 1e30, 3e-30}) {
        const auto bytes = qv::EncodeReal48(v);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(qv::EncodeReal48(qv::DecodeReal48(*bytes)), bytes);
        EXPECT_NEAR(qv::DecodeReal48(*bytes), v, std::fabs(v) * 0x1p-40);
    }
}

TEST(Real48, TooSmallBecomesZeroAfterRounding)
{
    EXPECT_EQ(qv::EncodeReal48(0x1p-129), qv::Real48{});
    EXPECT_EQ(qv::EncodeReal48(-0x1p-140), qv::Real48{});
    EXPECT_EQ(qv::EncodeReal48(std::numeric_limits<double>::denorm_min()), qv::Real48{});
    // Rounds up to the smallest normal value instead.
    EXPECT_EQ(qv::EncodeReal48(qv::kReal48MinNormal * (1 - 0x1p-42)), Bytes(0x01, 0, 0, 0, 0, 0));
}

TEST(Real48, OutOfRangeIsRefusedNotWrapped)
{
    const double beyond[] = {0x1p127, -0x1p127, qv::kReal48Max + 0x1p86, 1e300,
                             std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    for (double v : beyond) {
        SCOPED_TRACE(v);
        EXPECT_FALSE(qv::EncodeReal48(v));
        qv::Real48 field = Bytes(1, 2, 3, 4, 5, 6);
        EXPECT_FALSE(qv::StoreReal48(v, field));
        EXPECT_EQ(field, Bytes(1, 2, 3, 4, 5, 6));
    }
}

TEST(Real48, ZeroExponentIgnoresTheOtherBytes)
{
    EXPECT_EQ(qv::DecodeReal48(Bytes(0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF)), 0.0);
}

} // namespace
