#pragma once

#include <optional>

namespace qv {

// A channel label of the grid: an input (1-88) or an output (1-96), by number.
struct Channel {
    enum Kind { Input, Output };
    Kind kind = Input;
    int number = 0;

    bool isInput() const { return kind == Input; }
    friend bool operator==(const Channel&, const Channel&) = default;
};

inline constexpr int kFirstPpmInput = 57;
inline constexpr int kFirstPpmOutput = 65;
inline constexpr int kPpmChannelCount = 32;

// Input 57+k and output 65+k are one PPM channel with one label.
inline std::optional<Channel> PpmPartner(Channel c)
{
    const int first = c.isInput() ? kFirstPpmInput : kFirstPpmOutput;
    const int k = c.number - first;
    if (k < 0 || k >= kPpmChannelCount)
        return std::nullopt;
    return Channel{c.isInput() ? Channel::Output : Channel::Input,
                   (c.isInput() ? kFirstPpmOutput : kFirstPpmInput) + k};
}

// The PPM channel index 0..31 of a channel, if it is one.
inline std::optional<int> PpmChannelOf(Channel c)
{
    const int k = c.number - (c.isInput() ? kFirstPpmInput : kFirstPpmOutput);
    if (k < 0 || k >= kPpmChannelCount)
        return std::nullopt;
    return k;
}

} // namespace qv
