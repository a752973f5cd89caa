#pragma once

#include "matrix/dot_parser.h"

#include <string>
#include <vector>

// Writes down what the parser asks for, one line per call, in order.
struct DotRecorder : qv::DotMessageHandler {
    std::vector<std::string> events;

    static std::string pair(int a, int b) { return std::to_string(a) + "," + std::to_string(b); }
    void crosspointReport(int output, int input, bool remote) override
    {
        events.push_back("AA " + pair(output, input) + (remote ? " remote" : " local"));
    }
    void presetReport(int preset) override { events.push_back("preset " + std::to_string(preset)); }
    void identityReport(int item, int64_t value) override
    {
        events.push_back("AI " + std::to_string(item) + "=" + std::to_string(value));
    }
    void refusal(int output, int input) override { events.push_back("refused " + pair(output, input)); }
    void updateNotice() override { events.push_back("update notice"); }
    void powerUpNotice() override { events.push_back("power-up notice"); }
    void messageShown(const std::string& text) override { events.push_back("shown " + text); }
    void log(const std::string& line) override { events.push_back("log " + line); }
};
