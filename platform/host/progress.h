#pragma once

#include <cstdint>
#include <string>

namespace qv {

// Rounded percentage text of a bar: "0 %" at the start, "100 %" only when
// the job is complete.
std::string percentText(int64_t position, int64_t maximum);

// A progress display: a bar with an optional text beside it.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void setMaximum(int64_t maximum) = 0;
    virtual int64_t maximum() const = 0;
    virtual void setPosition(int64_t position) = 0;
    virtual int64_t position() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual std::string text() const = 0;

    void advance(int64_t by) { setPosition(position() + by); }
    // Position as its rounded percentage, for the label beside the bar.
    std::string percent() const { return percentText(position(), maximum()); }
};

// Keeps the numbers; the base of test recorders and of text displays.
class BasicProgress : public Progress {
public:
    void setMaximum(int64_t maximum) override { maximum_ = maximum; }
    int64_t maximum() const override { return maximum_; }
    void setPosition(int64_t position) override { position_ = position; }
    int64_t position() const override { return position_; }
    void setText(const std::string& text) override { text_ = text; }
    std::string text() const override { return text_; }

private:
    int64_t maximum_ = 100;
    int64_t position_ = 0;
    std::string text_;
};

} // namespace qv
