#include "stderr_progress.h"

#include <cstdio>

namespace qvtool {

namespace {
constexpr int64_t kQuietMs = 1000;
}

StderrProgress::StderrProgress(const qv::Clock& clock, std::string label)
    : clock_(clock), label_(std::move(label)), startMs_(clock.nowMs())
{
}

StderrProgress::~StderrProgress()
{
    if (!shown_.empty())
        std::fputc('\n', stderr);
}

void StderrProgress::setPosition(int64_t position)
{
    BasicProgress::setPosition(position);
    if (clock_.nowMs() - startMs_ < kQuietMs)
        return;
    std::string text = percent();
    if (text == shown_)
        return;
    shown_ = text;
    std::fprintf(stderr, "\r%s: %s ", label_.c_str(), text.c_str());
    std::fflush(stderr);
}

} // namespace qvtool
