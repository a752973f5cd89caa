#pragma once

// qv-instrument-sim as a background process for end-to-end tests: started
// on a pseudo-terminal, its memory dumped when it ends.
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
        pid_ = fork();
        if (pid_ == 0) {
            std::vector<std::string> args = {program, "--dump", (dir / "memory.bin").string()};
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

    // Ends the simulator; returns its memory.
    std::string stopAndDump()
    {
        stop();
        return SlurpFile(dir_ / "memory.bin");
    }

private:
    void stop()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }

    std::filesystem::path dir_;
    pid_t pid_ = -1;
    std::string device_;
};

} // namespace qv::sim::testing
