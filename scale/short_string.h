#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// A length byte followed by Capacity character bytes; only the first
// `length` characters mean anything.
template <size_t Capacity>
struct ShortString {
    static constexpr size_t kSize = Capacity + 1;

    uint8_t length = 0;
    std::array<uint8_t, Capacity> chars{};

    // A length byte beyond the capacity (a foreign file) counts as the capacity.
    size_t size() const { return std::min<size_t>(length, Capacity); }

    std::string text() const { return std::string(chars.begin(), chars.begin() + long(size())); }

    // Cuts the text to the capacity; character bytes past it keep what they held.
    void assign(std::string_view s)
    {
        length = uint8_t(std::min(s.size(), Capacity));
        std::copy_n(s.begin(), length, chars.begin());
    }

    void read(const uint8_t* bytes)
    {
        length = bytes[0];
        std::copy_n(bytes + 1, Capacity, chars.begin());
    }

    void write(uint8_t* bytes) const
    {
        bytes[0] = length;
        std::copy_n(chars.begin(), Capacity, bytes + 1);
    }
};

} // namespace qv
