#include "scale/scale_table.h"

#include "scale/number_text.h"
#include "scale/scale_codes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qv {

namespace {

constexpr uint16_t kLawBase = 0x0600;
constexpr uint8_t kDynamicsModel40 = 9;
constexpr uint16_t kLawModel40 = 0x0A09;
constexpr double kFullScale = 32767.0;
// Reference plus line value at which a line reaches full scale.
constexpr double kFullScaleDb = 18.0;
// Level offset per metering standard; all of them are 0 dB.
constexpr double kStandardOffsetDb = 0.0;

bool IsBlank(uint8_t c)
{
    return c <= 32;
}

std::string RightTrimmed(std::string text)
{
    while (!text.empty() && IsBlank(uint8_t(text.back())))
        text.pop_back();
    return text;
}

uint16_t PackPair(uint8_t low, uint8_t high)
{
    return uint16_t(low | (high << 8));
}

// Line numbers (0-based) of each group: index kind − 1, labelled first.
struct LineGroups {
    std::array<std::vector<size_t>, kLastLineKind> labelled;
    std::array<std::vector<size_t>, kLastLineKind> unlabelled;

    size_t count() const
    {
        size_t n = 0;
        for (size_t k = 0; k < kLastLineKind; ++k)
            n += !labelled[k].empty() + !unlabelled[k].empty();
        return n;
    }
};

size_t LabelWords(size_t length)
{
    return 1 + (length <= 2 ? 1 : 2);
}

// Appends words from W10 on. MakeScale sizes the stream before writing it;
// the bound here only makes sure nothing lands past W127.
struct StreamWriter {
    ScaleTable& table;
    size_t at = kWordStream;

    void put(uint16_t word)
    {
        if (at < table.size())
            table[at++] = word;
    }
};

void PutGroups(StreamWriter& out, const std::array<std::vector<size_t>, kLastLineKind>& groups,
               const std::array<uint16_t, kScaleLines>& amplitudes)
{
    for (size_t k = 0; k < kLastLineKind; ++k) {
        if (groups[k].empty())
            continue;
        out.put(uint16_t(groups[k].size()));
        out.put(uint16_t(k));
        for (size_t line : groups[k])
            out.put(amplitudes[line]);
    }
}

void PutLabel(StreamWriter& out, const std::string& label)
{
    const auto c = [&](size_t i) { return uint8_t(label[i]); };
    out.put(uint16_t(label.size()));
    switch (label.size()) {
    case 1: out.put(c(0)); break;
    case 2: out.put(PackPair(c(0), c(1))); break;
    case 3:
        out.put(c(0));
        out.put(PackPair(c(1), c(2)));
        break;
    default:
        out.put(PackPair(c(0), c(1)));
        out.put(PackPair(c(2), c(3)));
        break;
    }
}

} // namespace

uint16_t ScaleLawCode(uint8_t dynamics)
{
    return dynamics == kDynamicsModel40 ? kLawModel40 : uint16_t(kLawBase + dynamics);
}

// DIN 45XXX, DIN 45XXX DIGITAL and CNN VU share one law; IEC 268-17 VU has its own.
uint16_t ScaleLawA(uint8_t dynamics)
{
    switch (dynamics) {
    case 2: case 7: case 12: return 752;
    case 3: return 32767;
    default: return 0;
    }
}

uint16_t ScaleLawB(uint8_t dynamics)
{
    switch (dynamics) {
    case 2: case 7: case 12: return 126;
    case 3: return 767;
    default: return 0;
    }
}

uint16_t RoundToWord(double x)
{
    const double n = std::nearbyint(x); // the default rounding mode: halves to even
    if (!std::isfinite(n))
        return 0;
    double low = std::fmod(n, 65536.0);
    if (low < 0)
        low += 65536.0;
    return uint16_t(low);
}

uint16_t ReferenceFactor(double referenceDb)
{
    const double r = referenceDb + kStandardOffsetDb;
    return RoundToWord(kFullScale * std::pow(10.0, (r - kFullScaleDb) / 20.0));
}

uint16_t LineAmplitude(uint16_t referenceFactor, double valueDb)
{
    return RoundToWord(referenceFactor * std::pow(10.0, valueDb / 20.0));
}

bool IsLabelled(const ScaleLine& line)
{
    for (uint8_t c : line.text.text())
        if (!IsBlank(c))
            return true;
    return false;
}

bool MakeScale(ScaleRecord& record, bool digital, std::string_view referenceText, ScaleTable& table,
               std::string& error)
{
    record.analogueFlag = digital ? 0 : 1;

    std::string referenceDigits;
    for (char c : referenceText)
        if (c != ',' && c != '.')
            referenceDigits += c;
    const auto typedReference = ParseDecimalInteger(referenceDigits);
    if (!typedReference) {
        error = ConversionErrorMessage(referenceDigits);
        return false;
    }

    const uint16_t factor = ReferenceFactor(record.referenceDb());
    ScaleTable built{};
    built[kWordLowest] = 0xFFFF;
    std::array<uint16_t, kScaleLines> amplitudes{};
    std::array<std::string, kScaleLines> labels;
    LineGroups groups;
    size_t streamWords = 1; // the label count
    for (size_t i = 0; i < kScaleLines; ++i) {
        const ScaleLine& line = record.lines[i];
        if (!IsUsedKind(line.kind))
            continue;
        const uint16_t a = LineAmplitude(factor, line.valueDb());
        amplitudes[i] = a;
        built[kWordLowest] = std::min(built[kWordLowest], a);
        built[kWordHighest] = std::max(built[kWordHighest], a);
        auto& group = IsLabelled(line) ? groups.labelled[line.kind - 1] : groups.unlabelled[line.kind - 1];
        streamWords += group.empty() ? 3 : 1;
        group.push_back(i);
        if (IsLabelled(line)) {
            labels[i] = RightTrimmed(line.text.text());
            streamWords += LabelWords(labels[i].size());
        }
    }
    if (streamWords > kScaleTableWords - kWordStream) {
        error = "The scale lines and labels need " + std::to_string(streamWords) + " words, but a scale table has room for " +
                std::to_string(kScaleTableWords - kWordStream) + ". Remove lines or shorten labels.";
        return false;
    }

    const ShortString<4>& name = record.shortName;
    const auto nameChar = [&](size_t i) { return i < name.size() ? name.chars[i] : uint8_t(' '); };
    built[kWordName] = PackPair(nameChar(0), nameChar(1));
    built[kWordName + 1] = PackPair(nameChar(2), nameChar(3));
    built[kWordLaw] = ScaleLawCode(record.dynamics);
    built[kWordLawA] = ScaleLawA(record.dynamics);
    built[kWordLawB] = ScaleLawB(record.dynamics);
    built[kWordDigital] = digital ? kDigitalScaleMark : 0;
    built[kWordReference] = uint16_t(*typedReference);
    built[kWordGroups] = uint16_t(groups.count());

    StreamWriter out{built};
    PutGroups(out, groups.labelled, amplitudes);
    PutGroups(out, groups.unlabelled, amplitudes);
    size_t labelCount = 0;
    for (const auto& group : groups.labelled)
        labelCount += group.size();
    out.put(uint16_t(labelCount));
    for (const auto& group : groups.labelled)
        for (size_t line : group) {
            record.lines[line].text.assign(labels[line]);
            PutLabel(out, labels[line]);
        }

    table = built;
    return true;
}

std::array<uint8_t, kScaleTableBytes> ScaleTableBytes(const ScaleTable& table)
{
    std::array<uint8_t, kScaleTableBytes> bytes{};
    for (size_t i = 0; i < kScaleTableWords; ++i) {
        bytes[2 * i] = uint8_t(table[i] >> 8);
        bytes[2 * i + 1] = uint8_t(table[i]);
    }
    return bytes;
}

} // namespace qv
