// QV-Matrix's command line, from the desktop, scripts and file managers:
// the system's switches, the options of this build and the file argument.
// Each input line is an argument.
#include "config/preset_file.h"
#include "fuzz/fuzz_input.h"
#include "matrix/ui/command_line.h"

using namespace qv;
using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    QStringList arguments{QStringLiteral("qv-matrix")};
    std::vector<std::string> words;
    while (!input.empty()) {
        words.push_back(input.line());
        arguments << QString::fromUtf8(words.back());
    }
    const MatrixCommandLine line = ParseMatrixCommandLine(arguments);
    Expect(line.arguments.size() < arguments.size(), "the program name is not an argument");
    FileKindOf(line.filePath);
    for (const QString& argument : arguments)
        FileKindOf(argument);
    VersionOverrideFromArguments(words);
    return 0;
}
