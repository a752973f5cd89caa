// qv-instrument-sim's command line: every option and its value syntax.
// Each input line is an argument.
#include "fuzz/fuzz_input.h"
#include "sim/app/command_line.h"

using namespace qv;
using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    const std::vector<std::string> arguments = input.lines();
    sim::SimCommandLine line;
    std::string error;
    if (!sim::parseSimCommandLine(arguments, line, error))
        Expect(!error.empty(), "a refused command line says why");
    for (const std::string& argument : arguments) {
        uint16_t version = 0;
        if (sim::parseImageVersion(argument, version))
            Expect(version <= 0x9999, "versions of at most four digits");
    }
    return 0;
}
