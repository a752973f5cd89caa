#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The unattended jobs of QV-Update's command line.
enum class CommandJob {
    None,          // the wizard stays open
    Help,          // "/H" or "/?" alone: the help dialog, then the program ends
    Restart,       // "/I" [FPGA | BIOS]
    Key,           // "/KEY" DOWN | UP
    EraseIo,       // "/E"
    EthernetReset, // "/ETHRESET"
    ReadFlash,     // "/R" address count [file]
    Download,      // "/F" file [/SERIAL n]
};

// How a job finds its port.
enum class PortChoice {
    Autoselect, // FindInstrument(true); nothing found ends the job silently
    Named,      // portName
    Invalid,    // the word after "/C" names no port: the job ends silently
};

// Exit status of the program after the command line.
inline constexpr int kExitDone = 0;   // the job did what was asked
inline constexpr int kExitFailed = 1; // it failed, or nothing was done
inline constexpr int kExitUsage = 2;  // an option of this build could not be used

// The command line read into the job it asks for. Every job sets the quiet
// flag, connects, puts `command` into the input box on the file selection
// page, and runs the dispatcher.
struct UpdateCommandLine {
    // Options of this build: words beginning with "--", taken out first.
    std::vector<std::string> extraPorts; // --port PATH, repeatable
    bool simulator = false;              // --simulator
    // --batch: the program ends after the command line whatever happened
    // (no job, a job that stopped early), with its exit status.
    bool batch = false;
    // --update-server URL: asked by "Check for updates..." in place of
    // [Settings] UpdateServer.
    std::optional<std::string> updateServer;
    // --check-updates: only the version check, its outcome printed; no window.
    bool checkUpdates = false;
    std::vector<std::string> errors; // options that could not be used

    // The system's words, in order.
    std::vector<std::string> words;
    bool spiDisabled = false; // "/NOSPI"
    bool vp30 = false;        // "/VP30"
    CommandJob job = CommandJob::None;

    PortChoice portChoice = PortChoice::Autoselect;
    std::string portName; // "COM" + n for a number, else the name or path given
    std::string skipPort; // "/SKIP": the search never opens this port
    // The input box text; "" leaves the box empty, which the dispatcher
    // refuses as a command the instrument does not support.
    std::string command;

    // "/R": the flash-read fields, the address as written.
    bool readArgumentsValid = false; // false: the job stops after showing the page
    std::string flashAddress;
    std::string sectorCount;
    std::string flashFile;
    // No file word: "memory.cod" in the memory folder, written under that
    // name, where the external-transfer caller looks for it.
    bool flashFileGiven = false;

    // "/F": the file as given (PrepareDownload resolves a wildcard) and the
    // serial number to assume (0: the instrument's own).
    std::string downloadFile;
    int serial = 0;
};

// arguments: the program's arguments without the program name.
// memoryFolder: where "/R" puts "memory.cod" when no file is named; the
// working directory, which a program that hands its upload to us chose.
UpdateCommandLine ParseUpdateCommandLine(const std::vector<std::string>& arguments,
                                         const std::string& memoryFolder);

// A file name against a pattern of "*" (any characters) and "?" (one).
bool WildcardMatches(std::string_view pattern, std::string_view name);

// Resolves a "*" in the "/F" file to the last name that matches in its
// folder and sets the command. Returns the error to show when the file does
// not exist (the job then ends before connecting).
std::optional<std::string> PrepareDownload(UpdateCommandLine& line);

// The help text of "/H" and "/?".
const std::string& CommandLineHelpText();
// Usage of the options of this build, for a bad "--" option.
std::string CommandLineOptionsText();

// lblInfo while the command line runs, and while "/F" installs.
inline constexpr const char* kCommandLineBusyText = "Please wait while the command line parameters is processed...";
inline constexpr const char* kUpdateInProgressText =
    "Please wait while the update is in progress...\rIt may take a while...";
// The warning when the job's port could not be opened.
std::string CouldNotConnectText(const std::string& port);

// "1234" or "$1C000"; nothing for any other text.
std::optional<int> ParseIntegerWord(const std::string& word);

} // namespace qv
