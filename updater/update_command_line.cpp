#include "update_command_line.h"

#include "version_check.h"
#include "platform/host/port_names.h"
#include "platform/host/text_case.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <limits>
#include <system_error>

namespace qv {

// Each star first takes nothing; on a mismatch only the latest star takes
// one character more. Earlier stars never need to take more, so the work
// stays at pattern length times name length however many stars there are.
bool WildcardMatches(std::string_view pattern, std::string_view name)
{
    constexpr size_t kNone = std::string_view::npos;
    size_t p = 0;
    size_t n = 0;
    size_t star = kNone; // the latest star's place in the pattern
    size_t starName = 0; // where the name stood when it was met
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (star != kNone) {
            p = star + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

namespace {

constexpr const char* kJobSwitches[] = {"/H", "/?", "/I", "/R", "/F", "/E", "/ETHRESET", "/KEY"};
constexpr const char* kDefaultFlashFile = "memory.cod";
// "/C" is read for "/R" only when the command line has exactly these words:
// "/R" address count file "/C" port.
constexpr size_t kReadWordsWithPort = 6;
// "/R" address count: no file word.
constexpr size_t kReadWordsWithoutFile = 3;

// A switch such as "/C" or "/NOSPI"; a path such as "/dev/ttyUSB0" or
// "/home/u/f.380" has a second "/" and is no switch.
bool IsSwitchWord(const std::string& word)
{
    return word.size() > 1 && word[0] == '/' && word.find('/', 1) == std::string::npos;
}

// The last word equal to the switch in any case, or -1.
int LastPosition(const std::vector<std::string>& words, const char* switchWord)
{
    for (size_t i = words.size(); i > 0; --i)
        if (Upper(words[i - 1]) == switchWord)
            return int(i - 1);
    return -1;
}

// The word `offset` places after position, or "".
std::string WordAfter(const std::vector<std::string>& words, int position, int offset = 1)
{
    if (position < 0 || size_t(position + offset) >= words.size())
        return {};
    return words[size_t(position + offset)];
}

// The folder plus the last name that matches, in name order; the text as
// it was when nothing matches, so the message names what was asked for.
std::string ExpandWildcard(const std::string& file)
{
    const size_t slash = file.find_last_of('/');
    const std::string prefix = slash == std::string::npos ? "" : file.substr(0, slash + 1);
    const std::string pattern = file.substr(prefix.size());
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(prefix.empty() ? "." : prefix, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (WildcardMatches(pattern, name))
            names.push_back(name);
    }
    if (names.empty())
        return file;
    return prefix + *std::max_element(names.begin(), names.end());
}

void ReadOptions(const std::vector<std::string>& arguments, UpdateCommandLine& out)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (!a.starts_with("--")) {
            out.words.push_back(a);
        } else if (a == "--port") {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty())
                out.errors.push_back("--port needs a value.");
            else
                out.extraPorts.push_back(portNameFromArgument(arguments[++i]));
        } else if (a == "--simulator") {
            out.simulator = true;
        } else if (a == "--batch") {
            out.batch = true;
        } else if (a == "--update-server") {
            const std::string value = i + 1 < arguments.size() ? arguments[++i] : "";
            if (ParseUpdateServer(value))
                out.updateServer = value;
            else
                out.errors.push_back("--update-server needs a host name or an http:// address.");
        } else if (a == "--check-updates") {
            out.checkUpdates = true;
        } else {
            out.errors.push_back("Unknown option " + a + ".");
        }
    }
}

CommandJob SelectJob(const std::string& jobSwitch, size_t wordCount)
{
    if (jobSwitch == "/H" || jobSwitch == "/?")
        return wordCount == 1 ? CommandJob::Help : CommandJob::None;
    if (jobSwitch == "/I")
        return CommandJob::Restart;
    if (jobSwitch == "/KEY")
        return CommandJob::Key;
    if (jobSwitch == "/E")
        return CommandJob::EraseIo;
    if (jobSwitch == "/ETHRESET")
        return CommandJob::EthernetReset;
    if (jobSwitch == "/R")
        return wordCount > 2 ? CommandJob::ReadFlash : CommandJob::None;
    if (jobSwitch == "/F")
        return wordCount >= 2 ? CommandJob::Download : CommandJob::None;
    return CommandJob::None;
}

void ReadPortChoice(UpdateCommandLine& out)
{
    const int position = LastPosition(out.words, "/C");
    const std::string port = WordAfter(out.words, position);
    if (position < 0 || port.empty() || Upper(port) == "A") {
        out.portChoice = PortChoice::Autoselect;
    } else if (const auto number = ParseIntegerWord(port)) {
        out.portChoice = PortChoice::Named;
        out.portName = "COM" + std::to_string(*number);
    } else if (IsSwitchWord(port)) {
        out.portChoice = PortChoice::Invalid;
    } else {
        out.portChoice = PortChoice::Named;
        out.portName = port;
    }
}

std::string RestartCommand(const std::vector<std::string>& words)
{
    bool fpga = false;
    bool bios = false;
    bool otherCase = false;
    for (const std::string& w : words) {
        fpga |= w == "FPGA";
        bios |= w == "BIOS";
        otherCase |= (Upper(w) == "FPGA" && w != "FPGA") || (Upper(w) == "BIOS" && w != "BIOS");
    }
    if (fpga)
        return "MCU/FPGAReload";
    if (bios)
        return "MCU/BIOS";
    // A word such as "fpga" asks for something, but no command the dispatcher knows.
    return otherCase ? "" : "RVT/I";
}

std::string KeyCommand(const std::vector<std::string>& words)
{
    const std::string direction = Upper(WordAfter(words, LastPosition(words, "/KEY")));
    if (direction == "DOWN")
        return "MCU/KEYD";
    if (direction == "UP")
        return "MCU/KEYU";
    return "";
}

void ReadFlashWords(UpdateCommandLine& out, std::string memoryFolder)
{
    const std::vector<std::string>& words = out.words;
    const int position = LastPosition(words, "/R");
    out.command = "RVT/R";
    out.flashAddress = WordAfter(words, position, 1);
    out.sectorCount = WordAfter(words, position, 2);
    out.readArgumentsValid = ParseIntegerWord(out.flashAddress) && ParseIntegerWord(out.sectorCount);
    const std::string file = WordAfter(words, position, 3);
    out.flashFileGiven = !file.empty() && !IsSwitchWord(file) && words.size() != kReadWordsWithoutFile;
    if (out.flashFileGiven) {
        out.flashFile = file;
    } else {
        if (!memoryFolder.empty() && memoryFolder.back() != '/')
            memoryFolder += '/';
        out.flashFile = memoryFolder + kDefaultFlashFile;
    }
    if (words.size() != kReadWordsWithPort) {
        out.portChoice = PortChoice::Autoselect;
        out.portName.clear();
    }
}

void DownloadWords(UpdateCommandLine& out)
{
    out.downloadFile = WordAfter(out.words, LastPosition(out.words, "/F"));
    const auto serial = ParseIntegerWord(WordAfter(out.words, LastPosition(out.words, "/SERIAL")));
    out.serial = serial.value_or(0);
    out.command = Upper(out.downloadFile) == "FPGA" ? "MCU/FPGA" : out.downloadFile;
}

} // namespace

std::optional<int> ParseIntegerWord(const std::string& word)
{
    const bool hex = word.starts_with('$');
    size_t i = hex ? 1 : 0;
    bool negative = false;
    if (!hex && i < word.size() && (word[i] == '-' || word[i] == '+'))
        negative = word[i++] == '-';
    if (i >= word.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < word.size(); ++i) {
        const char c = char(std::toupper(static_cast<unsigned char>(word[i])));
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return std::nullopt;
        value = value * (hex ? 16 : 10) + digit;
        if (value > int64_t(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

UpdateCommandLine ParseUpdateCommandLine(const std::vector<std::string>& arguments, const std::string& memoryFolder)
{
    UpdateCommandLine out;
    ReadOptions(arguments, out);
    if (out.checkUpdates && !out.words.empty())
        out.errors.push_back("--check-updates runs alone, without job parameters.");

    std::string jobSwitch;
    for (const std::string& word : out.words) {
        const std::string upper = Upper(word);
        if (std::find(std::begin(kJobSwitches), std::end(kJobSwitches), upper) != std::end(kJobSwitches))
            jobSwitch = upper;
        out.spiDisabled |= upper == "/NOSPI";
        out.vp30 |= upper == "/VP30";
    }
    out.job = SelectJob(jobSwitch, out.words.size());
    if (out.job == CommandJob::None || out.job == CommandJob::Help)
        return out;

    const int skip = LastPosition(out.words, "/SKIP");
    if (skip >= 0)
        out.skipPort = portNameFromArgument(WordAfter(out.words, skip));
    ReadPortChoice(out);

    switch (out.job) {
    case CommandJob::Restart:
        out.command = RestartCommand(out.words);
        break;
    case CommandJob::Key:
        out.command = KeyCommand(out.words);
        break;
    case CommandJob::EraseIo:
        out.command = "MCU/ERASE";
        break;
    case CommandJob::EthernetReset:
        out.command = "ETH/RESET";
        break;
    case CommandJob::ReadFlash:
        ReadFlashWords(out, memoryFolder);
        break;
    case CommandJob::Download:
        DownloadWords(out);
        break;
    case CommandJob::None:
    case CommandJob::Help:
        break;
    }
    return out;
}

std::optional<std::string> PrepareDownload(UpdateCommandLine& line)
{
    if (line.downloadFile.find('*') != std::string::npos)
        line.downloadFile = ExpandWildcard(line.downloadFile);
    if (Upper(line.downloadFile) == "FPGA") {
        line.command = "MCU/FPGA";
        return std::nullopt;
    }
    line.command = line.downloadFile;
    std::error_code error;
    if (!std::filesystem::is_regular_file(line.downloadFile, error))
        return "The file \"" + line.downloadFile + "\" was not found.";
    return std::nullopt;
}

const std::string& CommandLineHelpText()
{
    static const std::string text =
        "QV-Update Commandline Parameters.\r\n"
        "\r\n"
        "The parameter [/C \"Port Number\"] is optional.\r\n"
        "If omitted, the first available instrument is selected (autoselect).\r\n"
        "If /C is specified the value that follows must be between 1 and 255.\r\n"
        "If \"A\" is specified as port number, autoselect is enabled.\r\n"
        "\r\n"
        "Disable SPI Mode:\r\n"
        "    /NOSPI\r\n"
        "\r\n"
        "Restart Instrument:\r\n"
        "    /I [/C \"Port Number\"]\r\n"
        "\r\n"
        "    Usage: /I /C 1\r\n"
        "\r\n"
        "Read Flash memory on mainboard:\r\n"
        "    /R \"Start Address\" \"Block Count\" [\"File Name\"] [/C \"Port Number\"] [/NOSPI]\r\n"
        "    If the filename is omitted the memory file is saved in \"Application Path\\MEMORY.COD\".\r\n"
        "\r\n"
        "    Usage: /R $1C000 128 C:\\FlashFile.380 /C 1\r\n"
        "\r\n"
        "Download file:\r\n"
        "    /F \"File Name\" [/SERIAL \"Serial number\"] [/C \"Port Number\"] [/NOSPI]\r\n"
        "    /SERIAL is optional but if specified it must be followed by a valid\r\n"
        "    serial number. This option will override the instrument serial number\r\n"
        "    forcing a CDP-File to be downloaded.\r\n"
        "\r\n"
        "    Usage: /F C:\\Update.CDP /SERIAL 50000 /C 1\r\n"
        "\r\n"
        "Reset ethernet network settings:\r\n"
        "    /ETHReset [/C \"Port Number\"]\r\n"
        "    Use this option if the instrument no longer can be detected on the\r\n"
        "    network. The instrument will be configured with default settings.\r\n"
        "\r\n"
        "    Usage: /ETHReset /C 1";
    return text;
}

std::string CommandLineOptionsText()
{
    return "Options of this build, besides the parameters above:\n"
           "  --port PATH   offer a device the system does not list (repeatable)\n"
           "  --simulator   offer the simulated instrument as port \"SIM\"\n"
           "  --batch       end after the command line in every case, with exit status\n"
           "                0 (done), 1 (failed or nothing done) or 2 (bad option)\n"
           "  --update-server URL\n"
           "                ask this server for a newer QV-Update (a host name or an\n"
           "                http:// address) in place of [Settings] UpdateServer\n"
           "  --check-updates\n"
           "                only ask the update server, without a window; exit status\n"
           "                0 (up to date), 1 (newer version or no answer) or 2 (no server)\n"
           "  /C also takes a port name or device path.\n";
}

std::string CouldNotConnectText(const std::string& port)
{
    return "Could not connect to " + port + ".";
}

} // namespace qv
