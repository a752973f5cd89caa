#include "commands.h"

#include "console_prompter.h"
#include "file_commands.h"
#include "flash_commands.h"
#include "link/host_services.h"
#include "link/wire_protocol.h"
#include "platform/host/clock.h"
#include "stderr_progress.h"
#include "tool_args.h"
#include "tool_link.h"
#include "tool_port.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <vector>

namespace qvtool {

namespace {

constexpr size_t kBlock = 128;

const char* kUsage =
    "Usage: qv-tool COMMAND [OPTIONS] [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  identify --port P              identify the instrument (key=value lines)\n"
    "  read --port P ADDR BLOCKS FILE read BLOCKS x 128 bytes from ADDR into FILE\n"
    "  write --port P ADDR FILE       write the whole 128-byte blocks of FILE from ADDR\n"
    "  key --port P N                 press key N (softkeys 1 to 8)\n"
    "  restart --port P               restart the instrument\n";

const char* kOptionsUsage =
    "\n"
    "Options:\n"
    "  --port P          a system port (ttyUSB0), COMn, a device path, or SIM with --simulator\n"
    "  --variant V       the link variant: update (default) or matrix\n"
    "  --simulator       offer the in-process simulated instrument as port SIM\n"
    "  --traffic-log F   matrix variant: write the serial traffic log to F\n"
    "  --fast            flash: through the I/O-interface module\n"
    "  --help            this text\n"
    "\n"
    "Numbers are decimal, $ + hex or 0x + hex. Addresses are 22 bits: a range beyond\n"
    "$3FFFFF is refused before anything is sent.\n"
    "Attempts: the update variant tries each block's address and transfer 6 times\n"
    "(26 times when writing); the matrix variant gives up after 10 attempts per block\n"
    "where QV-Matrix itself would retry without limit. Nothing waits without a bound.\n"
    "Exit status: 0 success, 1 failure (one line on stderr), 2 usage error.\n";

std::string UsageText()
{
    std::string text = std::string(kUsage) + kFlashUsage + kOptionsUsage;
    if (!FileCommands().empty()) {
        text += "\nFile commands (no instrument needed):\n";
        for (const auto& c : FileCommands())
            text += c.usage + "\n";
    }
    return text;
}

int Usage(const std::string& error)
{
    if (!error.empty())
        std::fprintf(stderr, "qv-tool: %s\n", error.c_str());
    std::fputs(UsageText().c_str(), stderr);
    return kExitUsage;
}

int Fail(const std::string& what)
{
    std::fprintf(stderr, "qv-tool: %s\n", what.c_str());
    return kExitFailed;
}

struct Session {
    qv::SteadyClock clock;
    ConsolePrompter prompter;
    ToolPort port;
    std::unique_ptr<ToolLink> link;

    explicit Session(const Args& args) : port(args.simulator)
    {
        qv::HostServices host{clock, port.pump(), prompter};
        link = args.variant == "matrix" ? MakeMatrixToolLink(port.port(), host, args.trafficLog)
                                        : MakeUpdateToolLink(port.port(), host);
    }

    // The link's own account, or the last error a dialog would have shown.
    std::string problem() const
    {
        std::string p = link->problem();
        if (p.empty())
            p = prompter.lastError();
        return p.empty() ? "the instrument did not answer" : p;
    }
};

int Identify(Session& s)
{
    ToolIdentity id = s.link->identify();
    auto b = [](bool v) { return v ? "true" : "false"; };
    std::printf("connected=%s\nbios=%s\ntype=%d\nname=%s\nserial=%s\nrevision=%s\nversion=%s\n", b(id.connected),
                b(id.bios), id.type, id.name.c_str(), id.serial.c_str(), id.revision.c_str(), id.version.c_str());
    std::fflush(stdout);
    return id.connected ? kExitOk : Fail(s.problem());
}

int Read(Session& s, uint32_t address, uint32_t blocks, const std::string& path)
{
    std::vector<uint8_t> data(size_t(blocks) * kBlock);
    {
        StderrProgress progress(s.clock, "reading");
        if (!s.link->readBlocks(address, int(blocks), data.data(), progress))
            return Fail(s.problem());
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(data.data()), qint64(data.size())) != qint64(data.size()) ||
        !file.commit())
        return Fail("cannot write " + path + ": " + file.errorString().toStdString());
    return kExitOk;
}

// The whole blocks of the file to write, checked before anything is sent.
struct WriteJob {
    QByteArray bytes;
    int blocks = 0;
};

int LoadWrite(uint32_t address, const std::string& path, WriteJob& job)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return Fail("cannot read " + path + ": " + file.errorString().toStdString());
    job.bytes = file.readAll();
    job.blocks = int(size_t(job.bytes.size()) / kBlock);
    if (job.blocks == 0)
        return Fail(path + " holds no whole 128-byte block");
    const uint64_t length = uint64_t(job.blocks) * kBlock;
    if (!qv::wire::InAddressSpace(address, length))
        return Fail(qv::wire::AddressRangeError(address, length));
    return kExitOk;
}

int Write(Session& s, uint32_t address, const WriteJob& job)
{
    StderrProgress progress(s.clock, "writing");
    if (!s.link->writeBlocks(address, job.blocks, reinterpret_cast<const uint8_t*>(job.bytes.constData()), progress))
        return Fail(s.problem());
    return kExitOk;
}

} // namespace

std::vector<FileCommand>& FileCommands()
{
    static std::vector<FileCommand> commands;
    return commands;
}

int FileFail(const std::string& what)
{
    return Fail(what);
}

int FileUsage(const std::string& what)
{
    return Usage(what);
}

int Run(int argc, char** argv)
{
    // File commands take their own options: hand them the words as typed.
    if (argc > 1)
        for (const auto& c : FileCommands())
            if (c.name == argv[1])
                return c.run(std::vector<std::string>(argv + 1, argv + argc));

    Args args = ParseArgs(argc, argv);
    if (!args.error.empty())
        return Usage(args.error);
    if (args.words.empty() || args.words[0] == "--help" || args.words[0] == "help") {
        if (!args.words.empty()) {
            std::fputs(UsageText().c_str(), stdout);
            return kExitOk;
        }
        return Usage("no command given");
    }
    const std::string command = args.words[0];
    std::vector<std::string> rest(args.words.begin() + 1, args.words.end());

    auto expect = [&](size_t n) { return rest.size() == n; };
    auto number = [&](size_t i) { return ParseNumber(rest[i]); };
    const bool known = command == "identify" || command == "read" || command == "write" || command == "key" ||
                       command == "restart" || command == "flash";
    if (!known)
        return Usage("unknown command " + command);
    if (args.port.empty())
        return Usage(command + " needs --port");
    if (args.fast && command != "flash")
        return Usage("--fast is for flash read and flash write");
    if (command == "flash") {
        Session session(args);
        return RunFlash(args, rest, session.port.port(), {session.clock, session.port.pump(), session.prompter},
                        *session.link);
    }

    if ((command == "identify" || command == "restart") && !expect(0))
        return Usage(command + " takes no arguments");
    if (command == "read" && (!expect(3) || !number(0) || !number(1) || *number(1) == 0 || *number(1) > 32768))
        return Usage("read needs ADDR BLOCKS FILE (BLOCKS 1 to 32768)");
    if (command == "write" && (!expect(2) || !number(0)))
        return Usage("write needs ADDR FILE");
    if (command == "key" && (!expect(1) || !number(0) || *number(0) > 255))
        return Usage("key needs a key code from 0 to 255");
    if (command == "read" && !qv::wire::InAddressSpace(*number(0), uint64_t(*number(1)) * kBlock))
        return Usage(qv::wire::AddressRangeError(*number(0), uint64_t(*number(1)) * kBlock));
    WriteJob writeJob;
    if (command == "write")
        if (int status = LoadWrite(*number(0), rest[1], writeJob); status != kExitOk)
            return status;

    Session session(args);
    if (!session.link->open(args.port))
        return Fail(session.problem());

    if (command == "identify")
        return Identify(session);
    if (command == "read")
        return Read(session, *number(0), *number(1), rest[2]);
    if (command == "write")
        return Write(session, *number(0), writeJob);
    if (command == "key")
        return session.link->pressKey(int(*number(0))) ? kExitOk : Fail(session.problem());
    return session.link->restart() ? kExitOk : Fail(session.problem());
}

} // namespace qvtool
