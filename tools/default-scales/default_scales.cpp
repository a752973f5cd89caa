#include "default_scales.h"

#include "scale/number_text.h"
#include "scale/scale_codes.h"

#include <initializer_list>

namespace qvtools {

namespace {

using qv::LineKind;

struct Line {
    double valueDb;
    LineKind kind;
    const char* text;
};

struct Definition {
    const char* item;
    const char* shortName;
    uint8_t keyNo;
    uint8_t dynamics;
    double referenceDb;
    bool digital;
    const char* description;
    const char* note;
    std::initializer_list<Line> lines;
};

constexpr LineKind White = qv::KindSolidWhite;
constexpr LineKind Dashed = qv::KindDashedWhite;
constexpr LineKind Red = qv::KindSolidRed;
constexpr LineKind Yellow = qv::KindSolidYellow;
constexpr LineKind Under = qv::KindUnderLoad;
constexpr LineKind Over = qv::KindOverload;

// Leq(m): the labels are Leq(m) readings, 85 at -20 dBFS (reference -2 dB,
// since a line at reference + value = 18 dB is full scale). Red at the
// trailer limit 85, yellow at 82; over from 85 up, under below 65.
const Definition kLeqM = {
    "LeqM", "LeqM", 7, 11, -2.0, false, "Leq(m) 60-100, 85=-20dBFS",
    "Leq(m) scale, 60 to 100.\r\n85 Leq(m) at -20 dBFS; red line at 85, yellow line at 82.\r\n",
    {
        {15, White, "100"}, {12.5, Dashed, ""}, {10, White, "95"},  {7.5, Dashed, ""},  {5, White, "90"},
        {2.5, Dashed, ""},  {0, Red, "85"},     {-3, Yellow, "82"}, {-5, White, "80"},  {-7.5, Dashed, ""},
        {-10, White, "75"}, {-12.5, Dashed, ""}, {-15, White, "70"}, {-17.5, Dashed, ""}, {-20, White, "65"},
        {-22.5, Dashed, ""}, {-25, White, "60"}, {0, Over, ""},      {-20, Under, ""},
    },
};

// 0 to -60 dBFS on the three-segment 60 dB law: 0 to -10, -10 to -30 and
// -30 to -60 dB each take a third of the scale, so the lowest line must
// sit at -60 dB.
const Definition kDmu1 = {
    "DMU1", "60dB", 8, 4, 18.0, true, "0 to -60 dBFS, 3 segments",
    "60 dB digital peak scale, 0 to -60 dBFS.\r\nOver above -1 dBFS, under below -50 dBFS.\r\n",
    {
        {0, Red, "0"},       {-1, Dashed, ""},    {-2, White, "-2"},   {-3, Dashed, ""},    {-4, White, "-4"},
        {-5, Dashed, ""},    {-6, White, "-6"},   {-7, Dashed, ""},    {-8, White, "-8"},   {-9, Dashed, ""},
        {-10, White, "-10"}, {-15, White, "-15"}, {-20, White, "-20"}, {-25, White, "-25"}, {-30, White, "-30"},
        {-35, Dashed, ""},   {-40, White, "-40"}, {-45, Dashed, ""},   {-50, White, "-50"}, {-55, Dashed, ""},
        {-60, White, "-60"}, {-1, Over, ""},      {-50, Under, ""},
    },
};

// 0 to -6 dBFS on the three-segment 6 dB law: 0 to -1, -1 to -3 and -3 to
// -6 dB each take a third of the scale.
const Definition kDmu2 = {
    "DMU2", "6 dB", 9, 5, 18.0, true, "0 to -6 dBFS, 3 segments",
    "6 dB digital peak scale, 0 to -6 dBFS.\r\nOver above -0.5 dBFS, under below -5 dBFS.\r\n",
    {
        {0, Red, "0"},      {-0.5, Dashed, ""}, {-1, White, "-1"},  {-1.5, Dashed, ""}, {-2, White, "-2"},
        {-2.5, Dashed, ""}, {-3, White, "-3"},  {-3.5, Dashed, ""}, {-4, White, "-4"},  {-4.5, Dashed, ""},
        {-5, White, "-5"},  {-5.5, Dashed, ""}, {-6, White, "-6"},  {-0.5, Over, ""},   {-5, Under, ""},
    },
};

DefaultScale Make(const Definition& d)
{
    DefaultScale scale{d.item, {}};
    qv::ScaleRecord& r = scale.record;
    r.setShortName(d.shortName);
    r.keyNo = d.keyNo;
    r.description.assign(d.description);
    r.analogueFlag = d.digital ? 0 : 1;
    r.dynamics = d.dynamics;
    qv::StoreReal48(d.referenceDb, r.reference);
    size_t i = 0;
    for (const Line& line : d.lines) {
        qv::StoreReal48(line.valueDb, r.lines.at(i).value);
        r.lines.at(i).text.assign(line.text);
        r.lines.at(i).kind = line.kind;
        ++i;
    }
    r.setNoteText(d.note);
    return scale;
}

} // namespace

std::vector<DefaultScale> DefaultScales()
{
    return {Make(kLeqM), Make(kDmu1), Make(kDmu2)};
}

qv::ScaleLibrary DefaultScaleLibrary()
{
    qv::ScaleLibrary library;
    const auto scales = DefaultScales();
    for (size_t i = 0; i < scales.size(); ++i)
        library.scales[i] = scales[i].record;
    return library;
}

bool DefaultScaleBytes(DefaultScale& scale, std::array<uint8_t, qv::kScaleTableBytes>& bytes, std::string& error)
{
    qv::ScaleTable table{};
    const std::string reference = qv::FormatScaleValue(scale.record.referenceDb());
    if (!qv::MakeScale(scale.record, scale.record.analogueFlag == 0, reference, table, error))
        return false;
    bytes = qv::ScaleTableBytes(table);
    return true;
}

} // namespace qvtools
