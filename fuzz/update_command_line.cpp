// QV-Update's command line as users and scripts type it: the word rules,
// the job's port and fields, the wildcard of "/F", and the command the job
// puts into the input box, recognised as the box recognises typed text.
// Each input line is a word; the first line is a file name for the wildcard.
#include "fuzz/fuzz_input.h"
#include "updater/flash_read_page.h"
#include "updater/input_recognition.h"
#include "updater/update_command_line.h"

using namespace qv;
using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    const std::string name = input.line();
    const std::vector<std::string> words = input.lines();

    const UpdateCommandLine line = ParseUpdateCommandLine(words, "/tmp/memory");
    Expect(line.portChoice != PortChoice::Named || !line.portName.empty(), "a named port has a name");
    CommandLineOptionsText();
    CouldNotConnectText(line.portName);
    const bool exists = !name.empty() && name[0] & 1;
    RecognizeInput(line.command, [&](const std::string&) { return exists; });
    if (line.job == CommandJob::ReadFlash && line.readArgumentsValid)
        CheckFlashRead({line.flashFile, line.flashAddress, line.sectorCount}, 2048, !line.flashFileGiven);
    for (const std::string& word : words) {
        ParseIntegerWord(word);
        WildcardMatches(word, name);
    }
    if (!words.empty())
        Expect(WildcardMatches(words[0], words[0]) || words[0].find_first_of("*?") != std::string::npos,
               "a name without wildcards matches itself");
    Expect(WildcardMatches("*", name), "a star matches any name");
    return 0;
}
