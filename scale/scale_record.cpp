#include "scale/scale_record.h"

#include <algorithm>

namespace qv {

namespace {

constexpr size_t kShortNameAt = 0;
constexpr size_t kKeyNoAt = 5;
constexpr size_t kDescriptionAt = 6;
constexpr size_t kAnalogueFlagAt = 33;
constexpr size_t kDynamicsAt = 34;
constexpr size_t kReferenceAt = 35;
constexpr size_t kLinesAt = 41;
constexpr size_t kNoteAt = 405;

constexpr size_t kLineValueAt = 0;
constexpr size_t kLineTextAt = 6;
constexpr size_t kLineKindAt = 11;
constexpr size_t kLineSpareAt = 12;

static_assert(kLinesAt + kScaleLines * kScaleLineSize == kNoteAt);
static_assert(kNoteAt + kScaleNoteSize == kScaleRecordSize);

} // namespace

void ScaleRecord::setShortName(std::string_view text)
{
    shortName.length = 4;
    shortName.chars.fill(' ');
    shortName.assign(text);
}

std::string ScaleRecord::noteText() const
{
    const auto end = std::find(note.begin(), note.end(), uint8_t(0));
    return std::string(note.begin(), end);
}

void ScaleRecord::setNoteText(std::string_view text)
{
    note.fill(0);
    std::copy_n(text.begin(), std::min(text.size(), note.size()), note.begin());
}

ScaleRecord ReadScaleRecord(std::span<const uint8_t, kScaleRecordSize> bytes)
{
    const uint8_t* p = bytes.data();
    ScaleRecord r;
    r.shortName.read(p + kShortNameAt);
    r.keyNo = p[kKeyNoAt];
    r.description.read(p + kDescriptionAt);
    r.analogueFlag = p[kAnalogueFlagAt];
    r.dynamics = p[kDynamicsAt];
    std::copy_n(p + kReferenceAt, r.reference.size(), r.reference.begin());
    for (size_t i = 0; i < kScaleLines; ++i) {
        const uint8_t* e = p + kLinesAt + i * kScaleLineSize;
        ScaleLine& line = r.lines[i];
        std::copy_n(e + kLineValueAt, line.value.size(), line.value.begin());
        line.text.read(e + kLineTextAt);
        line.kind = e[kLineKindAt];
        line.spare = e[kLineSpareAt];
    }
    std::copy_n(p + kNoteAt, kScaleNoteSize, r.note.begin());
    return r;
}

void WriteScaleRecord(const ScaleRecord& r, std::span<uint8_t, kScaleRecordSize> bytes)
{
    uint8_t* p = bytes.data();
    r.shortName.write(p + kShortNameAt);
    p[kKeyNoAt] = r.keyNo;
    r.description.write(p + kDescriptionAt);
    p[kAnalogueFlagAt] = r.analogueFlag;
    p[kDynamicsAt] = r.dynamics;
    std::copy(r.reference.begin(), r.reference.end(), p + kReferenceAt);
    for (size_t i = 0; i < kScaleLines; ++i) {
        uint8_t* e = p + kLinesAt + i * kScaleLineSize;
        const ScaleLine& line = r.lines[i];
        std::copy(line.value.begin(), line.value.end(), e + kLineValueAt);
        line.text.write(e + kLineTextAt);
        e[kLineKindAt] = line.kind;
        e[kLineSpareAt] = line.spare;
    }
    std::copy(r.note.begin(), r.note.end(), p + kNoteAt);
}

} // namespace qv
