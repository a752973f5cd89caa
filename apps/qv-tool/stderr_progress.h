#pragma once

#include "platform/host/clock.h"
#include "platform/host/progress.h"

#include <string>

namespace qvtool {

// A progress line on stderr, shown only once a transfer has run longer than
// a second, so quick commands stay quiet.
class StderrProgress : public qv::BasicProgress {
public:
    StderrProgress(const qv::Clock& clock, std::string label);
    ~StderrProgress() override;
    void setPosition(int64_t position) override;

private:
    const qv::Clock& clock_;
    std::string label_;
    int64_t startMs_;
    std::string shown_;
};

} // namespace qvtool
