#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv::fuzz {

// Takes a fuzz input apart front to back: small numbers, text fields and the
// rest. Runs out gracefully: past the end every field is zero or empty.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return at_ >= size_; }

    uint8_t byte() { return empty() ? 0 : data_[at_++]; }

    // High byte first.
    uint16_t word()
    {
        const uint8_t high = byte();
        return uint16_t(high << 8 | byte());
    }

    // Up to the next line feed (taken, not returned) or the end.
    std::string line()
    {
        std::string text;
        while (!empty()) {
            const char c = char(data_[at_++]);
            if (c == '\n')
                break;
            text += c;
        }
        return text;
    }

    // Every remaining line.
    std::vector<std::string> lines()
    {
        std::vector<std::string> all;
        while (!empty())
            all.push_back(line());
        return all;
    }

    std::span<const uint8_t> rest()
    {
        if (empty())
            return {};
        const std::span<const uint8_t> bytes(data_ + at_, size_ - at_);
        at_ = size_;
        return bytes;
    }

    std::string restText()
    {
        const std::span<const uint8_t> bytes = rest();
        return std::string(bytes.begin(), bytes.end());
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// Stops the run with a message when a reader breaks a promise it makes; the
// sanitizers catch what it does wrong on its own.
void Expect(bool condition, const char* what);

// A private file for the readers that take a path: the input is written
// there before each run.
std::string ScratchFile(const std::string& name, std::span<const uint8_t> bytes);

} // namespace qv::fuzz
