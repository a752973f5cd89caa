#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class ConfigImage;

// The SUM setting of input 55, the output groups of outputs 33-48 and the
// stored gains, as the grid's popups show and change them.

enum class SumSetting { Minus3dB, Plus0dB };

inline constexpr int kSumInput = 55;
inline constexpr int kFirstGroupOutput = 33;
inline constexpr int kLastGroupOutput = 48;
inline constexpr uint16_t kGroupsFromVersion = 0x0500;
inline constexpr int kFirstPhaseOutput = 53;
inline constexpr int kLastPhaseOutput = 62;

// The stored SUM, or nothing when the bytes hold neither setting.
std::optional<SumSetting> CurrentSum(const ConfigImage& image);
// Before 5.00 the SUM byte of preset 1, from 5.00 the SUM words of the
// selected preset. An image without a version has no SUM: false.
bool SetSum(ConfigImage& image, SumSetting sum);

enum GroupCode { GroupNone = 0, GroupMaster = 1, GroupAnalogue = 2, GroupDigital = 3 };

// Outputs 33, 34, 37, 38, ... are analogue, the pairs between them digital.
bool IsAnalogueOutput(int output);
// The output's own second group: Analogue or Digital.
GroupCode SecondGroup(int output);
std::string GroupName(GroupCode code);

// Group code of an output 33-48 in the selected preset, or -1.
int GroupOf(const ConfigImage& image, int output);
// The group entries of the popup: 0 None, 1 Master, 2 the output's own
// second group. Stores into every given output among 33-48; returns how
// many were stored.
int SetGroup(ConfigImage& image, const std::vector<int>& outputs, int entry);

// Stored gain of an output 33-48 in tenths of a dB, when the image has gains.
std::optional<int> StoredGain(const ConfigImage& image, int output);
// Image offset of the Master, Analogue or Digital group gain word.
int GroupGainAddress(const ConfigImage& image, GroupCode group);
int GroupGain(const ConfigImage& image, GroupCode group);

// Tenths of a dB as the instrument's dialogs show them: "-3,5", "12,0".
std::string FormatGain(int tenths);

} // namespace qv
