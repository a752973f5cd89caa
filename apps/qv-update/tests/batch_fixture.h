#pragma once

#include "apps/qv-update/batch_run.h"
#include "sim/virtual_instrument.h"

#include <cstdio>
#include <string>
#include <vector>

inline std::string ReadBack(std::FILE* file)
{
    std::string text;
    std::rewind(file);
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        text += char(c);
    std::fclose(file);
    return text;
}

// qv-update --batch with the words given, against the simulated instrument
// on "SIM", on virtual time.
struct Batch : qv::sim::VirtualInstrument {
    explicit Batch(qv::sim::InstrumentOptions options = {}) : VirtualInstrument(options) {}

    int run(const std::vector<std::string>& words, const std::string& memoryFolder = "/opt/qv-update")
    {
        qv::UpdateCommandLine line = qv::ParseUpdateCommandLine(words, memoryFolder);
        line.simulator = true;
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        const int status =
            qv::RunBatch(line, {clock, pump, prompter, port, [] { return std::vector<std::string>{}; }}, out, err);
        outText = ReadBack(out);
        errText = ReadBack(err);
        wire.hostAvailable();
        return status;
    }
    std::string outText;
    std::string errText;
};
