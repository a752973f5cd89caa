// XSVF streams: the writer, the reader and its errors, laid out byte by byte.
#include "updater/xsvf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace qv::xsvf;
using Bytes = std::vector<uint8_t>;

TEST(Xsvf, VectorsShiftTheLowBitOfTheLastByteFirst)
{
    EXPECT_EQ(VectorOf(0x3FFFFFC9, 30), (Vector{0x3F, 0xFF, 0xFF, 0xC9}));
    EXPECT_EQ(VectorOf(0x00F1266093, 33), (Vector{0x00, 0xF1, 0x26, 0x60, 0x93}));
    EXPECT_EQ(VectorOf(0x1FF, 2), (Vector{0x03})) << "only the bits asked for";
    EXPECT_TRUE(VectorOf(0, 0).empty());

    Vector v{0x80, 0x01};
    EXPECT_TRUE(VectorBit(v, 0));
    EXPECT_FALSE(VectorBit(v, 1));
    EXPECT_TRUE(VectorBit(v, 15));
    EXPECT_FALSE(VectorBit(v, 16)) << "past the vector";
    SetVectorBit(v, 8, true);
    SetVectorBit(v, 0, false);
    EXPECT_EQ(v, (Vector{0x81, 0x00}));
}

// Every instruction of the format with its operand layout.
const std::vector<Instruction>& AllKinds()
{
    static const std::vector<Instruction> list = [] {
        std::vector<Instruction> l{
            Repeat(0),
            EndIR(TapState::RunTestIdle),
            EndDR(TapState::PauseDR),
            State(TapState::TestLogicReset),
            RunTest(1000),
            Sir(30, VectorOf(0x3FFFFFC9, 30)),
            Sir(300, Vector(38, 0xA5)),
            SdrSize(12),
            TdoMask({0x0F, 0xFF}),
            Sdr({0x01, 0x23}),
            SdrTdo({0x00, 0x00}, {0x0A, 0xBC}),
            {XSETSDRMASKS, 0, 0, 0, {{0x00, 0xF0}, {0x00, 0x0F}}, {}},
            {XSDRINC, 2, 0, 0, {{0x00, 0x00}, {0x05}, {0x06}}, {}},
            {XSDRB, 0, 0, 0, {{0x01, 0x02}}, {}},
            {XSDRC, 0, 0, 0, {{0x03, 0x04}}, {}},
            {XSDRE, 0, 0, 0, {{0x05, 0x06}}, {}},
            {XSDRTDOB, 0, 0, 0, {{0x01, 0x02}, {0x03, 0x04}}, {}},
            {XSDRTDOC, 0, 0, 0, {{0x05, 0x06}, {0x07, 0x08}}, {}},
            {XSDRTDOE, 0, 0, 0, {{0x09, 0x0A}, {0x0B, 0x0C}}, {}},
            Comment("hi"),
            {XWAIT, 100, 1, 6, {}, {}},
            Complete(),
        };
        return l;
    }();
    return list;
}

Bytes AllKindsBytes()
{
    Bytes b{0x07, 0x00, 0x13, 0x00, 0x14, 0x01, 0x12, 0x00, 0x04, 0x00, 0x00, 0x03, 0xE8,
            0x02, 0x1E, 0x3F, 0xFF, 0xFF, 0xC9, 0x15, 0x01, 0x2C};
    b.insert(b.end(), 38, 0xA5);
    const Bytes rest{0x08, 0x00, 0x00, 0x00, 0x0C,                   // XSDRSIZE 12
                     0x01, 0x0F, 0xFF,                               // XTDOMASK
                     0x03, 0x01, 0x23,                               // XSDR
                     0x09, 0x00, 0x00, 0x0A, 0xBC,                   // XSDRTDO
                     0x0A, 0x00, 0xF0, 0x00, 0x0F,                   // XSETSDRMASKS: 4 data bits
                     0x0B, 0x00, 0x00, 0x02, 0x05, 0x06,             // XSDRINC: start, 2, one byte each
                     0x0C, 0x01, 0x02, 0x0D, 0x03, 0x04, 0x0E, 0x05, 0x06,
                     0x0F, 0x01, 0x02, 0x03, 0x04, 0x10, 0x05, 0x06, 0x07, 0x08, 0x11, 0x09, 0x0A, 0x0B, 0x0C,
                     0x16, 'h', 'i', 0x00,                           // XCOMMENT
                     0x17, 0x01, 0x06, 0x00, 0x00, 0x00, 0x64,       // XWAIT
                     0x00};
    b.insert(b.end(), rest.begin(), rest.end());
    return b;
}

TEST(Xsvf, WritesAndReadsEveryInstruction)
{
    const Bytes bytes = AllKindsBytes();
    EXPECT_EQ(Encode(AllKinds()), bytes);

    const Listing listing = Read(bytes);
    EXPECT_EQ(listing.result, DecodeResult::Ok);
    EXPECT_TRUE(listing.complete);
    EXPECT_EQ(listing.trailingBytes, 0u);
    EXPECT_EQ(listing.instructions, AllKinds());
    ASSERT_EQ(listing.offsets.size(), AllKinds().size());
    EXPECT_EQ(listing.offsets[5], 13u) << "XSIR after the 13 bytes before it";
    EXPECT_EQ(listing.offsets[6], 19u);
    EXPECT_EQ(listing.offsets[7], 19u + 3 + 38);
}

TEST(Xsvf, ReadStopsAtXcomplete)
{
    const Listing listing = Read(Bytes{0x07, 0x20, 0x00, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(listing.result, DecodeResult::Ok);
    EXPECT_EQ(listing.instructions.size(), 2u);
    EXPECT_EQ(listing.trailingBytes, 3u) << "the padding after the end is not read";
}

TEST(Xsvf, BadStreamsGiveDistinctErrors)
{
    const Bytes sdr33{0x08, 0x00, 0x00, 0x00, 0x21};
    const auto with = [&](Bytes tail) {
        Bytes b = sdr33;
        b.insert(b.end(), tail.begin(), tail.end());
        return b;
    };
    const struct {
        const char* what;
        Bytes bytes;
        DecodeResult result;
        size_t offset;
        const char* text;
    } cases[] = {
        {"empty", {}, DecodeResult::Truncated, 0, "truncated: the stream ends at byte 0 without XCOMPLETE"},
        {"no XCOMPLETE", {0x07, 0x00}, DecodeResult::Truncated, 2,
         "truncated: the stream ends at byte 2 without XCOMPLETE"},
        {"inside a number", {0x07, 0x00, 0x04, 0x00, 0x00}, DecodeResult::Truncated, 2,
         "truncated inside XRUNTEST at byte 2"},
        {"XSIR without its length", {0x02}, DecodeResult::Truncated, 0, "truncated inside XSIR at byte 0"},
        {"comment without its end", {0x16, 'a', 'b'}, DecodeResult::Truncated, 0,
         "truncated inside XCOMMENT at byte 0"},
        {"XWAIT cut short", {0x17, 0x01, 0x01, 0x00}, DecodeResult::Truncated, 0, "truncated inside XWAIT at byte 0"},
        {"reserved code", {0x07, 0x00, 0x05}, DecodeResult::UnknownInstruction, 2,
         "unknown instruction 0x05 at byte 2"},
        {"past the last code", with({0x18}), DecodeResult::UnknownInstruction, 5,
         "unknown instruction 0x18 at byte 5"},
        {"padding instead of code", {0xFF}, DecodeResult::UnknownInstruction, 0,
         "unknown instruction 0xFF at byte 0"},
        {"XSIR longer than the rest", {0x02, 0x1E, 0x3F, 0xFF, 0x00}, DecodeResult::LengthPastEnd, 0,
         "XSIR at byte 0: its length runs 1 byte past the end"},
        {"XSDR of 33 bits with 3 bytes", with({0x03, 0x00, 0x00, 0x00}), DecodeResult::LengthPastEnd, 5,
         "XSDR at byte 5: its length runs 2 bytes past the end"},
        {"XSDRTDO missing its expected value", with({0x09, 0, 0, 0, 0, 0, 0xFF}), DecodeResult::LengthPastEnd, 5,
         "XSDRTDO at byte 5: its length runs 4 bytes past the end"},
        {"huge XSDRSIZE", {0x08, 0xFF, 0xFF, 0xFF, 0xFF, 0x03, 0x00}, DecodeResult::LengthPastEnd, 5,
         "XSDR at byte 5: its length runs 536870911 bytes past the end"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Listing listing = Read(c.bytes);
        EXPECT_EQ(listing.result, c.result);
        EXPECT_EQ(listing.errorOffset, c.offset);
        EXPECT_FALSE(listing.complete);
        EXPECT_EQ(DescribeError(listing, c.bytes), c.text);
    }
}

// A stream that arrives in pieces: the reader says how much it still needs
// and keeps its data register size until an instruction completes.
TEST(Xsvf, ReaderWaitsForTheRestOfAnInstruction)
{
    const Bytes bytes = Encode({SdrSize(33), SdrTdo(VectorOf(0, 33), VectorOf(0x00F1266093, 33)), Complete()});
    Reader reader;
    Instruction in;
    size_t size = 0;
    EXPECT_EQ(reader.next({bytes.data(), 3}, in, size), DecodeResult::Truncated);
    EXPECT_EQ(size, 5u);
    ASSERT_EQ(reader.next(bytes, in, size), DecodeResult::Ok);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(reader.sdrBits(), 33u);

    const std::span<const uint8_t> rest(bytes.begin() + 5, bytes.end());
    EXPECT_EQ(reader.next(rest.first(7), in, size), DecodeResult::LengthPastEnd);
    EXPECT_EQ(size, 11u);
    ASSERT_EQ(reader.next(rest, in, size), DecodeResult::Ok);
    EXPECT_EQ(in.vectors[1], VectorOf(0x00F1266093, 33));
}

TEST(Xsvf, DescribesInstructionsOnALine)
{
    const struct {
        Instruction in;
        const char* text;
    } cases[] = {
        {Sir(30, VectorOf(0x3FFFFFC9, 30)), "XSIR 30 3FFFFFC9"},
        {State(TapState::RunTestIdle), "XSTATE 1 Run-Test/Idle"},
        {EndIR(TapState::PauseIR), "XENDIR 1 Pause-IR"},
        {EndDR(TapState::RunTestIdle), "XENDDR 0 Run-Test/Idle"},
        {{XENDDR, 7, 0, 0, {}, {}}, "XENDDR 7"},
        {SdrTdo({0x00, 0x01}, {0x0A, 0xBC}), "XSDRTDO 0001 0ABC"},
        {{XSDRINC, 2, 0, 0, {{0x00, 0x00}, {0x05}, {0x06}}, {}}, "XSDRINC 0000 2 05 06"},
        {{XWAIT, 100, 1, 6, {}, {}}, "XWAIT 1 Run-Test/Idle 6 Pause-DR 100"},
        {Comment("made here"), "XCOMMENT made here"},
        {Comment("two\nlines\x7F"), "XCOMMENT two\\x0Alines\\x7F"},
        {Sdr(Vector(40, 0x11)), "XSDR 1111111111111111111111111111111111111111111111111111111111111111...(40 bytes)"},
        {Complete(), "XCOMPLETE"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Describe(c.in), c.text);
}

} // namespace
