// End to end: the real qv-instrument-sim on a pseudo-terminal.
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

using qv::sim::test::readFdUntil;

// Waits for the child to end; kills it when it takes too long.
int waitForExit(pid_t pid)
{
    int status = 0;
    for (int i = 0; i < 250; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        usleep(20'000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

TEST(InstrumentSimProgram, ServesThePseudoTerminalAndTheFrontPanel)
{
    char folder[] = "/tmp/qv-sim-test-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string link = std::string(folder) + "/instrument";
    const std::string dump = std::string(folder) + "/memory.bin";

    int out[2];
    int in[2];
    ASSERT_EQ(pipe(out), 0);
    ASSERT_EQ(pipe(in), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(in[0], STDIN_FILENO);
        close(out[0]);
        close(out[1]);
        close(in[0]);
        close(in[1]);
        execl(QV_INSTRUMENT_SIM_PROGRAM, "qv-instrument-sim", "--link", link.c_str(), "--dump", dump.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    close(in[0]);

    auto hasLine = [](const std::string& s) { return s.find('\n') != std::string::npos; };
    const std::string firstLine = readFdUntil(out[0], std::chrono::seconds(10), hasLine);
    ASSERT_NE(firstLine.find('\n'), std::string::npos) << "no device path printed";
    const std::string device = firstLine.substr(0, firstLine.find('\n'));

    const int fd = open(link.c_str(), O_RDWR | O_NOCTTY);
    EXPECT_GE(fd, 0) << "the link leads to the device " << device;
    if (fd >= 0) {
        termios settings{};
        tcgetattr(fd, &settings);
        cfmakeraw(&settings);
        tcsetattr(fd, TCSANOW, &settings);
        const unsigned char wakeUp[] = {0xA6, 0x6D};
        ASSERT_EQ(write(fd, wakeUp, 2), 2);
        const std::string reply = readFdUntil(fd, std::chrono::seconds(1), [](const std::string& s) { return !s.empty(); });
        EXPECT_EQ(reply, "\x05");

        // The front panel, from standard input.
        const std::string command = "route 7 3\n";
        ASSERT_EQ(write(in[1], command.data(), command.size()), ssize_t(command.size()));
        EXPECT_EQ(readFdUntil(out[0], std::chrono::seconds(2), hasLine), "ok\n");
        const std::string report = readFdUntil(fd, std::chrono::seconds(1),
                                             [](const std::string& s) { return s.size() >= 12; });
        EXPECT_EQ(report, ".AA7,3\r\n.U\r\n");
        close(fd);
    }
    close(in[1]);
    close(out[0]);

    kill(pid, SIGTERM);
    EXPECT_EQ(waitForExit(pid), 0);
    struct stat info{};
    EXPECT_EQ(lstat(link.c_str(), &info), -1) << "the link is removed on exit";
    ASSERT_EQ(stat(dump.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 1 << 22);
    std::remove(dump.c_str());
    rmdir(folder);
}

} // namespace
