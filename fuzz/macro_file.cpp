// Macro files (.MCR) are text from anywhere: the reader, the recorder's
// writer read back, and a run of the macro against an instrument that
// answers each line with whatever the input says. The input: a byte n, n
// lines of macro text, then the instrument's answers.
#include "fuzz/answering_port.h"
#include "matrix/dot_receiver.h"
#include "matrix/grid_model.h"
#include "matrix/macro_file.h"
#include "matrix/macro_runner.h"
#include "matrix/macro_view.h"

using namespace qv;
using qv::fuzz::Expect;

namespace {

class SilentMacroView : public MacroView {
public:
    void macroStatus(const std::string&) override {}
    void showMacroWindow(const std::string&) override {}
    void macroProgress(const std::string&) override {}
    void hideMacroWindow() override {}
};

void ExpectWrittenReadsBack(const MacroFile& macro)
{
    std::vector<std::string> commands;
    for (const std::string& line : macro.lines)
        if (IsMacroCommand(line))
            commands.push_back(line);
    const MacroFile again = ParseMacroText(MacroFileText(macro.name, commands));
    Expect(again.name == (macro.name.empty() ? kUnnamedMacro : macro.name), "a written name reads back");
    std::vector<std::string> readCommands;
    for (const std::string& line : again.lines)
        if (IsMacroCommand(line))
            readCommands.push_back(line);
    Expect(readCommands == commands, "written commands read back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string whole(reinterpret_cast<const char*>(data), size);
    const MacroFile parsed = ParseMacroText(whole);
    Expect(parsed.name.size() <= kMacroNameLength || parsed.name == kUnnamedMacro, "names of at most 25 characters");
    ExpectWrittenReadsBack(parsed);

    qv::fuzz::FuzzInput input(data, size);
    std::string text;
    for (int n = input.byte(); n > 0; --n)
        text += input.line() + "\r\n";
    const std::string path =
        qv::fuzz::ScratchFile("macro.mcr", std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));

    qv::fuzz::AnsweringPort port(input, qv::fuzz::AnsweringPort::Pieces::OnWrite);
    qv::fuzz::FuzzHost host(port);
    MatrixChannel channel(port, {host.clock, host.pump, host.prompter});
    channel.init().selectPort("FUZZ");
    channel.OpenPort(true);
    DotReceiver receiver(channel);
    GridModel grid;
    DotMessageHandler handler;
    SilentMacroView view;
    MacroRunner runner(grid, handler, view, [] { return true; });
    runner.run(receiver, path);
    Expect(!runner.running(), "a run ends");
    return 0;
}
