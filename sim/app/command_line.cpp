#include "command_line.h"

#include "sim/default_memory.h"

#include <charconv>
#include <functional>
#include <map>

namespace qv::sim {

namespace {

bool parseInt(const std::string& text, long min, long max, long& value)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end && value >= min && value <= max;
}

using ValueSetter = std::function<bool(const std::string&, SimCommandLine&)>;

ValueSetter intOption(long min, long max, std::function<void(SimCommandLine&, long)> set)
{
    return [=](const std::string& text, SimCommandLine& line) {
        long value = 0;
        if (!parseInt(text, min, max, value))
            return false;
        set(line, value);
        return true;
    };
}

const std::map<std::string, ValueSetter>& valueOptions()
{
    static const std::map<std::string, ValueSetter> options{
        {"--serial", intOption(0, 0xFFFF, [](SimCommandLine& l, long v) { l.options.serial = uint16_t(v); })},
        {"--baud", intOption(1, 4'000'000, [](SimCommandLine& l, long v) { l.options.baud = int(v); })},
        {"--boot-ms", intOption(0, 600'000, [](SimCommandLine& l, long v) { l.options.bootMs = int(v); })},
        {"--corrupt-every",
         intOption(0, 1'000'000, [](SimCommandLine& l, long v) { l.options.corruptChecksumEvery = int(v); })},
        {"--drop-every", intOption(0, 1'000'000, [](SimCommandLine& l, long v) { l.options.dropByteEvery = int(v); })},
        {"--revision",
         [](const std::string& text, SimCommandLine& l) {
             if (text.size() != 1)
                 return false;
             l.options.revision = text[0];
             return true;
         }},
        {"--version",
         [](const std::string& text, SimCommandLine& l) { return parseImageVersion(text, l.options.softwareVersion); }},
        {"--link",
         [](const std::string& text, SimCommandLine& l) {
             l.linkPath = text;
             return !text.empty();
         }},
        {"--dump",
         [](const std::string& text, SimCommandLine& l) {
             l.dumpPath = text;
             return !text.empty();
         }},
    };
    return options;
}

const std::map<std::string, std::function<void(SimCommandLine&)>>& flagOptions()
{
    static const std::map<std::string, std::function<void(SimCommandLine&)>> options{
        {"--help", [](SimCommandLine& l) { l.help = true; }},
        {"--bios", [](SimCommandLine& l) { l.options.biosMode = true; }},
        {"--no-text", [](SimCommandLine& l) { l.options.answersText = false; }},
        {"--no-answer", [](SimCommandLine& l) { l.options.noAnswer = true; }},
    };
    return options;
}

} // namespace

bool parseImageVersion(const std::string& text, uint16_t& version)
{
    const size_t dot = text.find('.');
    if (dot == std::string::npos || dot < 1 || dot > 2 || text.size() != dot + 3)
        return false;
    unsigned digits = 0;
    for (char c : text) {
        if (c == '.')
            continue;
        if (c < '0' || c > '9')
            return false;
        digits = digits << 4 | unsigned(c - '0');
    }
    version = uint16_t(digits);
    return true;
}

bool parseSimCommandLine(const std::vector<std::string>& args, SimCommandLine& line, std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        if (const size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            hasValue = true;
        }
        if (const auto flag = flagOptions().find(name); flag != flagOptions().end() && !hasValue) {
            flag->second(line);
            continue;
        }
        const auto option = valueOptions().find(name);
        if (option == valueOptions().end()) {
            error = "unknown option: " + args[i];
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
        }
        if (!option->second(value, line)) {
            error = "bad value for " + name + ": " + value;
            return false;
        }
    }
    return true;
}

std::string simUsage()
{
    const InstrumentOptions defaults;
    return "Usage: qv-instrument-sim [options]\n"
           "Serves a simulated instrument on a pseudo-terminal; prints the device path first.\n"
           "\n"
           "  --serial N         serial number 0-65535, 65535 leaves the identity blank (default "
        + std::to_string(defaults.serial) + ")\n"
        + "  --revision C       revision character; below 1 the identity is at 0x1C000 (default "
        + std::string(1, defaults.revision) + ")\n"
        + "  --version M.mm     software version (default " + versionDigits(defaults.softwareVersion) + ")\n"
        + "  --bios             run the boot loader: block reads fail, no text\n"
        + "  --baud N           line pacing in baud (default " + std::to_string(defaults.baud) + ")\n"
        + "  --boot-ms N        unreachable for N ms after a restart (default " + std::to_string(defaults.bootMs)
        + ")\n"
        + "  --no-text          ignore DOT text commands, as older software does\n"
        + "  --no-answer        fault: ignore everything\n"
        + "  --corrupt-every N  fault: every Nth block read carries a wrong checksum\n"
        + "  --drop-every N     fault: every Nth byte the instrument sends is lost\n"
        + "  --link PATH        make PATH a symbolic link to the pseudo-terminal (removed on exit)\n"
        + "  --dump PATH        write the whole 4 MiB memory to PATH on exit\n"
        + "  --help             show this text\n";
}

} // namespace qv::sim
