#pragma once

#include <cstdint>
#include <random>

namespace qv::sim {

// Random faults of a noisy line, byte by byte: each byte is corrupted, lost
// or held back a few byte times with its chance. The seed makes a run
// repeatable.
struct LineNoise {
    double corrupt = 0;    // chance per byte, 0.01 for 1 %
    double lose = 0;
    double delay = 0;
    uint32_t seed = 1;
    int maxDelayBytes = 4; // a held-back byte comes 1 to this many byte times late

    // The given chance in total, a third for each kind.
    static LineNoise Evenly(double chance, uint32_t seed)
    {
        return {chance / 3, chance / 3, chance / 3, seed};
    }
};

class LineNoiseModel {
public:
    struct Effect {
        bool lost = false;
        uint8_t byte = 0;
        int delayBytes = 0;
        bool operator==(const Effect&) const = default;
    };
    struct Counts {
        uint64_t corrupted = 0;
        uint64_t lost = 0;
        uint64_t delayed = 0;
    };

    explicit LineNoiseModel(LineNoise noise = {}) : noise_(noise), random_(noise.seed) {}

    // What the line makes of one byte.
    Effect apply(uint8_t byte);
    const Counts& counts() const { return counts_; }

private:
    double uniform() { return double(random_()) / 4294967296.0; }

    LineNoise noise_;
    std::mt19937 random_;
    Counts counts_;
};

} // namespace qv::sim
