// qv-tool's command line and the numbers its commands take. Each input line
// is an argument.
#include "apps/qv-tool/tool_args.h"
#include "fuzz/fuzz_input.h"

using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    std::vector<std::string> words{"qv-tool"};
    for (std::string& line : input.lines())
        words.push_back(std::move(line));
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const qvtool::Args args = qvtool::ParseArgs(int(words.size()), argv.data());
    Expect(args.words.size() < words.size(), "the program name is not a word");
    for (const std::string& word : words)
        qvtool::ParseNumber(word);
    return 0;
}
