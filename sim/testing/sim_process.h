#pragma once

// qv-instrument-sim as a background process for end-to-end tests: started
// on a pseudo-terminal, its front panel on a pipe to its standard input,
// its memory dumped when it ends.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace qv::sim::testing {

inline std::string SlurpFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class SimulatorProcess {
public:
    // `program` is the path of qv-instrument-sim; its output and memory dump
    // go to `dir`.
    SimulatorProcess(const std::string& program, const std::vector<std::string>& options,
                     const std::filesystem::path& dir)
        : dir_(dir)
    {
        const std::filesystem::path out = dir / "sim.out";
        int panel[2] = {-1, -1};
        if (pipe(panel) != 0)
            return;
        // A simulator that has gone must not take the test with it.
        std::signal(SIGPIPE, SIG_IGN);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(panel[0], STDIN_FILENO);
            close(panel[0]);
            close(panel[1]);
            // Tests share the machine: a test's program starved for a moment
            // must not lose its command. The instrument's own 50 ms are
            // tested on the virtual clock.
            std::vector<std::string> args = {program, "--dump", (dir / "memory.bin").string(), "--command-timeout-ms",
                                             "1000"};
            args.insert(args.end(), options.begin(), options.end());
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            if (!freopen(out.c_str(), "w", stdout))
                _exit(126);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(panel[0]);
        panel_ = panel[1];
        // It prints the device's path as its first line.
        for (int i = 0; i < 200 && device_.empty(); ++i) {
            usleep(25000);
            const std::string text = SlurpFile(out);
            if (auto nl = text.find('\n'); nl != std::string::npos)
                device_ = text.substr(0, nl);
        }
    }
    ~SimulatorProcess() { stop(); }
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    const std::string& device() const { return device_; }

    // A front-panel command ("route O I", "preset N", "power").
    bool frontPanel(const std::string& command)
    {
        const std::string line = command + "\n";
        return panel_ >= 0 && ::write(panel_, line.data(), line.size()) == ssize_t(line.size());
    }
    // What it printed: the device's path, then an answer per command.
    std::string output() const { return SlurpFile(dir_ / "sim.out"); }

    // Ends the simulator; returns its memory.
    std::string stopAndDump()
    {
        stop();
        return SlurpFile(dir_ / "memory.bin");
    }

private:
    void stop()
    {
        if (panel_ >= 0) {
            close(panel_);
            panel_ = -1;
        }
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }

    std::filesystem::path dir_;
    pid_t pid_ = -1;
    int panel_ = -1; // the simulator's standard input
    std::string device_;
};

} // namespace qv::sim::testing
