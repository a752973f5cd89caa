#include "gain_options.h"

#include "config/config_image.h"
#include "matrix/channel_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace qv {

std::string GainGroupCaption(GainMode mode)
{
    switch (mode) {
    case GainMode::Master: return "Set Master Group Gain. (dB)";
    case GainMode::Analogue: return "Set Analogue Group Gain. (dB)";
    case GainMode::Digital: return "Set Digital Group Gain. (dB)";
    case GainMode::Output: break;
    }
    return "Set Output Gain. (dB)";
}

std::optional<double> ReadGainText(const std::string& text)
{
    std::string s = text;
    // The field shows a decimal comma; a point, as other keyboards type it, reads the same.
    std::replace(s.begin(), s.end(), ',', '.');
    if (!s.empty() && s.front() == '+')
        s.erase(0, 1);
    if (s.empty() || s.front() == '+')
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string GainFieldText(double db)
{
    // Fixed notation, as ReadGainText reads it back (an exponent such as
    // "1e-08" near zero would not be); ten decimals without the trailing
    // zeros: 0,1 steps leave no noise.
    const double value = db == 0 ? 0.0 : db;
    std::string text(size_t(std::snprintf(nullptr, 0, "%.10f", value)) + 1, '\0');
    text.resize(size_t(std::snprintf(text.data(), text.size(), "%.10f", value)));
    while (text.back() == '0' && text[text.size() - 2] != '.')
        text.pop_back();
    if (text == "-0.0")
        text = "0.0";
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::optional<std::string> StepGainText(const std::string& text, int direction)
{
    const auto db = ReadGainText(text);
    if (!db)
        return std::nullopt;
    return GainFieldText(std::clamp(*db + direction * kGainStepDb, -kGainLimitDb, kGainLimitDb));
}

std::optional<int> GainTenths(const std::string& text)
{
    const auto db = ReadGainText(text);
    if (!db)
        return std::nullopt;
    return int(std::lround(std::clamp(*db, -kGainLimitDb, kGainLimitDb) * 10));
}

std::vector<int> StoreGain(ConfigImage& image, GainMode mode, const std::vector<int>& outputs, int tenths)
{
    std::vector<int> stored;
    if (mode != GainMode::Output) {
        if (outputs.empty())
            return stored;
        image.setWord(GroupGainAddress(image, GroupCode(int(mode))), uint16_t(int16_t(tenths)));
        return outputs;
    }
    for (int n : outputs) {
        // Only outputs 33-48 have a gain word; others would land in the group table.
        if (n < kFirstGroupOutput || n > kLastGroupOutput)
            continue;
        image.setWord(image.addressTable().OutputGainBaseAdr + 2 * (n - kFirstGroupOutput), uint16_t(int16_t(tenths)));
        stored.push_back(n);
    }
    return stored;
}

} // namespace qv
