#include "scale/scale_stream.h"

namespace qv {

namespace {

std::string UnpackLabel(const ScaleTable& table, size_t at, size_t length)
{
    const auto low = [&](size_t i) { return char(table[i] & 0xFF); };
    const auto high = [&](size_t i) { return char(table[i] >> 8); };
    switch (length) {
    case 1: return {low(at)};
    case 2: return {low(at), high(at)};
    case 3: return {low(at), low(at + 1), high(at + 1)};
    default: return {low(at), high(at), low(at + 1), high(at + 1)};
    }
}

} // namespace

ScaleStream ReadScaleStream(const ScaleTable& table)
{
    ScaleStream stream;
    size_t at = kWordStream;
    const auto fits = [&](size_t words) { return at + words <= table.size(); };

    for (size_t g = 0; g < table[kWordGroups]; ++g) {
        if (!fits(2) || !fits(2 + size_t(table[at]))) {
            stream.complete = false;
            return stream;
        }
        ScaleLineGroup group;
        const size_t n = table[at];
        group.style = table[at + 1];
        group.amplitudes.assign(table.begin() + long(at + 2), table.begin() + long(at + 2 + n));
        stream.groups.push_back(std::move(group));
        at += 2 + n;
    }

    if (!fits(1)) {
        stream.complete = false;
        return stream;
    }
    const size_t labels = table[at++];
    for (size_t i = 0; i < labels; ++i) {
        const size_t length = fits(1) ? table[at] : 0;
        const size_t words = length <= 2 ? 1 : 2;
        if (length < 1 || length > kMaxLabelLength || !fits(1 + words)) {
            stream.complete = false;
            return stream;
        }
        stream.labels.push_back(UnpackLabel(table, at + 1, length));
        at += 1 + words;
    }
    return stream;
}

} // namespace qv
