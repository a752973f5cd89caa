#include "scale/scale_table.h"

#include "scale/scale_codes.h"
#include "scale/scale_stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

void SetLine(qv::ScaleRecord& r, size_t number, double value, uint8_t kind, const std::string& text = "")
{
    auto& line = r.lines.at(number - 1);
    ASSERT_TRUE(qv::StoreReal48(value, line.value));
    line.kind = kind;
    line.text.assign(text);
}

qv::ScaleRecord Record(double reference = 18.0)
{
    qv::ScaleRecord r;
    qv::StoreReal48(reference, r.reference);
    return r;
}

// Builds the table; fails the test when MakeScale refuses.
qv::ScaleTable Make(qv::ScaleRecord& r, bool digital = false, const std::string& referenceText = "18.0")
{
    qv::ScaleTable table{};
    std::string error;
    EXPECT_TRUE(qv::MakeScale(r, digital, referenceText, table, error)) << error;
    return table;
}

std::vector<uint16_t> Words(const qv::ScaleTable& t, size_t from, size_t to)
{
    return {t.begin() + long(from), t.begin() + long(to)};
}

TEST(ScaleTable, RoundingKeepsHalvesEvenAndTheLow16Bits)
{
    struct Case {
        double x;
        uint16_t word;
    };
    const Case cases[] = {
        {2.5, 2},      {3.5, 4},      {-0.5, 0},     {32766.5, 32766}, {65535.4, 65535}, {65536.0, 0},
        {65537.6, 2},  {-1.0, 0xFFFF}, {-180.0, 0xFF4C}, {1e20, uint16_t(std::fmod(1e20, 65536.0))},
        {std::numeric_limits<double>::infinity(), 0}, {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qv::RoundToWord(c.x), c.word) << c.x;
}

TEST(ScaleTable, ReferenceFactorAndAmplitudes)
{
    EXPECT_EQ(qv::ReferenceFactor(0.0), 4125);
    EXPECT_EQ(qv::LineAmplitude(4125, 18.0), 32766); // F is rounded first
    EXPECT_EQ(qv::ReferenceFactor(18.0), 32767);
    EXPECT_EQ(qv::LineAmplitude(32767, 0.0), 32767);
    EXPECT_EQ(qv::LineAmplitude(32767, -60.0), 33);
    // Wider than 16 bits: only the low bits count, no message.
    EXPECT_EQ(qv::LineAmplitude(32767, 12.0), uint16_t(130448 - 65536));
    EXPECT_EQ(qv::ReferenceFactor(30.0), uint16_t(130448 - 65536));
}

TEST(ScaleTable, HeaderWords)
{
    struct Case {
        uint8_t dynamics;
        uint16_t law, a, b;
    };
    const Case cases[] = {
        {0, 0x0600, 0, 0},       {2, 0x0602, 752, 126}, {3, 0x0603, 32767, 767}, {4, 0x0604, 0, 0},
        {7, 0x0607, 752, 126},   {9, 0x0A09, 0, 0},     {12, 0x060C, 752, 126},  {13, 0x060D, 0, 0},
        {200, 0x06C8, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.dynamics));
        auto r = Record();
        r.dynamics = c.dynamics;
        r.setShortName("AB");
        const auto t = Make(r, true, "-18.0");
        EXPECT_EQ(Words(t, 0, 9), (std::vector<uint16_t>{0x4241, 0x2020, c.law, c.a, c.b, 0xFFFF, 0, 0x8F9D, 0xFF4C}));
    }
}

TEST(ScaleTable, DigitalBoxSetsTheMarkAndTheRecordFlag)
{
    auto r = Record();
    EXPECT_EQ(Make(r, true)[qv::kWordDigital], qv::kDigitalScaleMark);
    EXPECT_EQ(r.analogueFlag, 0);
    EXPECT_EQ(Make(r, false)[qv::kWordDigital], 0);
    EXPECT_EQ(r.analogueFlag, 1);
}

TEST(ScaleTable, ReferenceWordIsTheTypedTextWithoutSeparators)
{
    for (auto [text, word] : std::vector<std::pair<std::string, uint16_t>>{
             {"-18.0", 0xFF4C}, {"6", 6}, {"6.0", 60}, {"1,5", 15}, {"-0.5", 0xFFFB}, {"123456", 0xE240}}) {
        auto r = Record();
        EXPECT_EQ(Make(r, false, text)[qv::kWordReference], word) << text;
    }
}

TEST(ScaleTable, ReferenceTextThatIsNoIntegerStopsMakeScale)
{
    auto r = Record();
    SetLine(r, 1, 0.0, qv::KindSolidWhite, "AB  ");
    qv::ScaleTable table{};
    table.fill(0x1234);
    std::string error;
    EXPECT_FALSE(qv::MakeScale(r, true, "1.5dB", table, error));
    EXPECT_EQ(error, "ConversionError '15dB' is not a valid integer value");
    EXPECT_EQ(table[0], 0x1234);
    EXPECT_EQ(r.analogueFlag, 0);         // the box is still taken
    EXPECT_EQ(r.lines[0].text.length, 4); // texts are not
}

TEST(ScaleTable, NoUsedLine)
{
    auto r = Record();
    r.lines[3].text.assign("XX"); // a text alone does not make a line
    const auto t = Make(r);
    EXPECT_EQ(t[qv::kWordLowest], 0xFFFF);
    EXPECT_EQ(t[qv::kWordHighest], 0);
    EXPECT_EQ(t[qv::kWordGroups], 0);
    EXPECT_EQ(Words(t, 10, 128), std::vector<uint16_t>(118, 0));
}

TEST(ScaleTable, OneUsedLine)
{
    auto r = Record();
    SetLine(r, 7, -6.0, qv::KindDashedYellow);
    const auto t = Make(r);
    EXPECT_EQ(t[qv::kWordLowest], 16422);
    EXPECT_EQ(t[qv::kWordHighest], 16422);
    EXPECT_EQ(Words(t, 9, 15), (std::vector<uint16_t>{1, 1, 5, 16422, 0, 0}));
}

TEST(ScaleTable, WorkedStreamExample)
{
    // Labelled Solid Red lines 3 and 9, an unlabelled Solid White line 5.
    auto r = Record();
    SetLine(r, 3, 0.0, qv::KindSolidRed, "ABC");
    SetLine(r, 5, -6.0, qv::KindSolidWhite);
    SetLine(r, 9, -20.0, qv::KindSolidRed, "AB");
    const auto t = Make(r);
    const uint16_t a3 = 32767, a5 = 16422, a9 = 3277;
    EXPECT_EQ(t[qv::kWordLowest], a9);
    EXPECT_EQ(t[qv::kWordHighest], a3);
    EXPECT_EQ(t[qv::kWordGroups], 2);
    EXPECT_EQ(Words(t, 10, 25), (std::vector<uint16_t>{2, 2, a3, a9, 1, 0, a5, 2, 3, 0x0041, 0x4342, 2, 0x4241, 0, 0}));
}

TEST(ScaleTable, LabelsArePackedAndStoredBackTrimmed)
{
    struct Case {
        std::string text;
        std::vector<uint16_t> packed;
        std::string stored;
    };
    const Case cases[] = {
        {"A  ", {1, 0x0041}, "A"},
        {"AB", {2, 0x4241}, "AB"},
        {"ABC", {3, 0x0041, 0x4342}, "ABC"},
        {"ABCD", {4, 0x4241, 0x4443}, "ABCD"},
        {" A", {2, 0x4120}, " A"}, // leading blanks stay
        {"-6\t", {2, 0x362D}, "-6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto r = Record();
        SetLine(r, 1, 0.0, qv::KindSolidWhite, c.text);
        SetLine(r, 2, -1.0, qv::KindSolidWhite, "   "); // blank: unlabelled
        const auto t = Make(r);
        // Labelled group (1 line), unlabelled group (1 line), label count 1.
        auto expected = std::vector<uint16_t>{1, 0, 32767, 1, 0, qv::LineAmplitude(32767, -1.0), 1};
        expected.insert(expected.end(), c.packed.begin(), c.packed.end());
        EXPECT_EQ(Words(t, 10, 10 + expected.size()), expected);
        EXPECT_EQ(r.lines[0].text.text(), c.stored);
        EXPECT_EQ(r.lines[1].text.text(), "   ");
    }
}

TEST(ScaleTable, GroupsByKindLabelledFirstInLineOrder)
{
    auto r = Record();
    SetLine(r, 1, -1.0, qv::KindOverload);
    SetLine(r, 2, -2.0, qv::KindSolidWhite, "2");
    SetLine(r, 3, -3.0, qv::KindDashedWhite);
    SetLine(r, 4, -4.0, qv::KindSolidWhite, "4");
    SetLine(r, 5, -5.0, qv::KindSolidWhite);
    SetLine(r, 6, -6.0, qv::KindUnderLoad, "U");
    r.lines[6].kind = 9; // a code from elsewhere: left out
    const auto t = Make(r);
    EXPECT_EQ(t[qv::kWordHighest], qv::LineAmplitude(32767, -1.0));
    const auto stream = qv::ReadScaleStream(t);
    ASSERT_TRUE(stream.complete);
    std::vector<std::pair<uint16_t, size_t>> groups;
    for (const auto& g : stream.groups)
        groups.emplace_back(g.style, g.amplitudes.size());
    EXPECT_EQ(groups, (std::vector<std::pair<uint16_t, size_t>>{{0, 2}, {6, 1}, {0, 1}, {1, 1}, {7, 1}}));
    EXPECT_EQ(stream.groups[0].amplitudes, (std::vector<uint16_t>{qv::LineAmplitude(32767, -2), qv::LineAmplitude(32767, -4)}));
    EXPECT_EQ(stream.labels, (std::vector<std::string>{"2", "4", "U"}));
}

// Lines 1..27 labelled with four characters over `labelledKinds` kinds,
// line 28 unlabelled in a kind of its own.
qv::ScaleRecord Crowded(int labelledKinds)
{
    auto r = Record();
    for (size_t n = 1; n <= 27; ++n)
        SetLine(r, n, -double(n), uint8_t(1 + (n - 1) % labelledKinds), "L" + std::to_string(100 + n));
    SetLine(r, 28, -40.0, qv::KindOverload);
    return r;
}

TEST(ScaleTable, StreamFillingW127ExactlyIsKept)
{
    auto r = Crowded(3); // 4 groups: 8 + 28 lines + 1 count + 27 × 3 = 118 words
    const auto t = Make(r);
    EXPECT_EQ(t[qv::kWordGroups], 4);
    EXPECT_EQ(t[127], 0x3732); // the last label, "L127": "2", "7"
    const auto stream = qv::ReadScaleStream(t);
    EXPECT_TRUE(stream.complete);
    EXPECT_EQ(stream.labels.size(), 27u);
}

TEST(ScaleTable, StreamPastW127IsRefused)
{
    auto r = Crowded(4); // 5 groups: 120 words, 119 with the shorter first label
    r.lines[0].text.assign("L1  ");
    qv::ScaleTable table{};
    table.fill(0x5555);
    std::string error;
    EXPECT_FALSE(qv::MakeScale(r, false, "18.0", table, error));
    EXPECT_EQ(error, "The scale lines and labels need 119 words, but a scale table has room for 118. "
                     "Remove lines or shorten labels.");
    EXPECT_EQ(table, [] { qv::ScaleTable t; t.fill(0x5555); return t; }());
    EXPECT_EQ(r.lines[0].text.text(), "L1  "); // nothing stored back
}

TEST(ScaleTable, InstrumentBytesAreHighByteFirst)
{
    qv::ScaleTable t{};
    t[0] = 0x4241;
    t[127] = 0x8F9D;
    const auto bytes = qv::ScaleTableBytes(t);
    EXPECT_EQ(bytes[0], 0x42);
    EXPECT_EQ(bytes[1], 0x41);
    EXPECT_EQ(bytes[254], 0x8F);
    EXPECT_EQ(bytes[255], 0x9D);
}

TEST(ScaleStream, ForeignTablesNeverReadPastW127)
{
    qv::ScaleTable t{};
    t[qv::kWordGroups] = 0xFFFF;
    t[10] = 200; // a group longer than the table
    auto stream = qv::ReadScaleStream(t);
    EXPECT_FALSE(stream.complete);
    EXPECT_TRUE(stream.groups.empty());

    t[qv::kWordGroups] = 1;
    t[10] = 1;
    t[12] = 500;
    t[13] = 0xFFFF; // label count
    t[14] = 4;      // then labels to the end of the table
    t[15] = 0x4241;
    t[16] = 0x4443;
    for (size_t i = 17; i + 2 < 128; i += 3)
        t[i] = 7; // length 7: no label is that long
    stream = qv::ReadScaleStream(t);
    EXPECT_FALSE(stream.complete);
    EXPECT_EQ(stream.groups.size(), 1u);
    EXPECT_EQ(stream.labels, std::vector<std::string>{"ABCD"});
}

} // namespace
