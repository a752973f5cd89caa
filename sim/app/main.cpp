// qv-instrument-sim: the simulated instrument on a pseudo-terminal.
#include "command_line.h"
#include "pty_server.h"
#include "session_files.h"

#include "platform/host/clock.h"
#include "platform/host/file_io.h"
#include "sim/front_panel.h"
#include "sim/instrument.h"
#include "sim/simulated_wire.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

void installStopHandlers()
{
    struct sigaction action{};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: poll() returns at once and the loop sees the flag.
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    // Started in the background of a terminal: reading the front-panel
    // commands fails instead of stopping the program.
    std::signal(SIGTTIN, SIG_IGN);
}

int fail(const std::string& message, int code)
{
    std::cerr << "qv-instrument-sim: " << message << "\n";
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace qv::sim;

    SimCommandLine commandLine;
    std::string error;
    if (!parseSimCommandLine(std::vector<std::string>(argv + 1, argv + argc), commandLine, error))
        return fail(error + "\nTry --help.", 2);
    if (commandLine.help) {
        std::cout << simUsage();
        return 0;
    }

    qv::SteadyClock clock;
    Instrument instrument(commandLine.options);
    SimulatedWire wire(instrument, clock);
    wire.setBaudRate(commandLine.options.baud);

    // Checked before the pseudo-terminal may take a closed descriptor 0.
    const int panelInput = fcntl(STDIN_FILENO, F_GETFD) == -1 ? -1 : STDIN_FILENO;

    // Before the link exists, so that no signal can leave it behind.
    installStopHandlers();
    PtyServer server;
    server.setReadPaceUs(commandLine.readPaceUs);
    if (!server.open(error))
        return fail(error, 1);
    if (!commandLine.linkPath.empty() && !makeDeviceLink(server.devicePath(), commandLine.linkPath, error))
        return fail(error, 1);

    std::cout << server.devicePath() << std::endl;
    FrontPanel panel(instrument, clock, wire.ioModule());
    server.serve(wire, stopRequested, panelInput, [&](const std::string& line) {
        if (line.find_first_not_of(" \t") != std::string::npos)
            std::cout << panel.command(line) << std::endl;
    });

    int result = 0;
    if (!commandLine.dumpPath.empty() && !qv::WriteFileAtomically(commandLine.dumpPath, instrument.memory(), error))
        result = fail(commandLine.dumpPath + ": " + error, 1);
    if (!commandLine.linkPath.empty())
        removeDeviceLink(server.devicePath(), commandLine.linkPath);
    return result;
}
