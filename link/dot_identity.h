#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace qv {

// Identity items of the instrument's DOT information reply (".AI" reports).
struct DotIdentity {
    static constexpr int kSerial = 1;
    static constexpr int kFirmwareVersion = 3;
    static constexpr int kHardwareId = 4;
    static constexpr int kBiosVersion = 5;
    static constexpr int kExtendedBiosId = 6;
    static constexpr int kSoftwareVersion = 7; // ImageVersion as a decimal number
    static constexpr int kInputChannels = 8;
    static constexpr int kOutputChannels = 9;
    static constexpr int kFirstInputModule = 10;  // 10 to 13
    static constexpr int kFirstOutputModule = 14; // 14 to 17
    static constexpr int kLastItem = 17;

    std::array<int64_t, kLastItem + 1> items{};
    std::array<bool, kLastItem + 1> present{};
    bool received = false;

    // Stores the items the programs use (1 and 3 to 17); others are ignored.
    void store(int item, int64_t value)
    {
        if (item < 1 || item > kLastItem || item == 2)
            return;
        items[size_t(item)] = value;
        present[size_t(item)] = true;
    }
    bool has(int item) const { return item >= 1 && item <= kLastItem && present[size_t(item)]; }
    int64_t value(int item) const { return has(item) ? items[size_t(item)] : 0; }
};

} // namespace qv
