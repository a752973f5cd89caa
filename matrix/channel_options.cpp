#include "channel_options.h"

#include "config/config_image.h"

#include <array>
#include <cstdlib>

namespace qv {

namespace {
constexpr std::array<uint8_t, 4> kSumMinus3{0xFF, 0xF1, 0xFF, 0xF1};
constexpr std::array<uint8_t, 4> kSumPlus0{0x00, 0x00, 0x00, 0x00};

bool IsGroupOutput(int output)
{
    return output >= kFirstGroupOutput && output <= kLastGroupOutput;
}
} // namespace

std::optional<SumSetting> CurrentSum(const ConfigImage& image)
{
    if (image.imageVersion() == 0)
        return std::nullopt;
    if (image.imageVersion() < kGroupsFromVersion) {
        switch (image.byte(SumModeAdr)) {
        case 0: return SumSetting::Minus3dB;
        case 1: return SumSetting::Plus0dB;
        default: return std::nullopt;
        }
    }
    const int a = image.addressTable().SumGainExtBaseAdr;
    auto holds = [&](const std::array<uint8_t, 4>& v) {
        for (size_t k = 0; k < v.size(); ++k)
            if (image.byte(a + int(k)) != v[k])
                return false;
        return true;
    };
    if (holds(kSumMinus3))
        return SumSetting::Minus3dB;
    if (holds(kSumPlus0))
        return SumSetting::Plus0dB;
    return std::nullopt;
}

bool SetSum(ConfigImage& image, SumSetting sum)
{
    if (image.imageVersion() == 0)
        return false;
    if (image.imageVersion() < kGroupsFromVersion) {
        image.setByte(SumModeAdr, sum == SumSetting::Minus3dB ? 0 : 1);
        return true;
    }
    const auto& v = sum == SumSetting::Minus3dB ? kSumMinus3 : kSumPlus0;
    const int a = image.addressTable().SumGainExtBaseAdr;
    for (size_t k = 0; k < v.size(); ++k)
        image.setByte(a + int(k), v[k]);
    return true;
}

bool IsAnalogueOutput(int output)
{
    return IsGroupOutput(output) && ((output - kFirstGroupOutput) / 2) % 2 == 0;
}

GroupCode SecondGroup(int output)
{
    return IsAnalogueOutput(output) ? GroupAnalogue : GroupDigital;
}

std::string GroupName(GroupCode code)
{
    switch (code) {
    case GroupNone: return "None";
    case GroupMaster: return "Master";
    case GroupAnalogue: return "Analogue";
    case GroupDigital: return "Digital";
    }
    return {};
}

int GroupOf(const ConfigImage& image, int output)
{
    if (!IsGroupOutput(output))
        return -1;
    return image.lowByte(image.addressTable().GroupBaseAdr + 2 * (output - kFirstGroupOutput));
}

int SetGroup(ConfigImage& image, const std::vector<int>& outputs, int entry)
{
    if (entry < 0 || entry > 2)
        return 0;
    int stored = 0;
    for (int n : outputs) {
        if (!IsGroupOutput(n))
            continue;
        const int code = entry == 2 ? SecondGroup(n) : entry;
        image.setLowByte(image.addressTable().GroupBaseAdr + 2 * (n - kFirstGroupOutput), uint8_t(code));
        ++stored;
    }
    return stored;
}

std::optional<int> StoredGain(const ConfigImage& image, int output)
{
    if (!IsGroupOutput(output) || image.imageVersion() < kGroupsFromVersion)
        return std::nullopt;
    return int16_t(image.word(image.addressTable().OutputGainBaseAdr + 2 * (output - kFirstGroupOutput)));
}

int GroupGainAddress(const ConfigImage& image, GroupCode group)
{
    const AddressTable t = image.addressTable();
    switch (group) {
    case GroupAnalogue: return t.GroupGainAnalogueAdr;
    case GroupDigital: return t.GroupGainDigitalAdr;
    default: return t.GroupGainMasterAdr;
    }
}

int GroupGain(const ConfigImage& image, GroupCode group)
{
    return int16_t(image.word(GroupGainAddress(image, group)));
}

std::string FormatGain(int tenths)
{
    const int a = std::abs(tenths);
    return (tenths < 0 ? "-" : "") + std::to_string(a / 10) + "," + std::to_string(a % 10);
}

} // namespace qv
