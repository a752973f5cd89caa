#pragma once

#include "progress.h"

#include <vector>

namespace qv {

// Test progress: keeps every position and text it was given.
class RecordingProgress : public BasicProgress {
public:
    void setPosition(int64_t position) override
    {
        BasicProgress::setPosition(position);
        positions.push_back(position);
    }
    void setText(const std::string& text) override
    {
        BasicProgress::setText(text);
        texts.push_back(text);
    }

    std::vector<int64_t> positions;
    std::vector<std::string> texts;
};

} // namespace qv
