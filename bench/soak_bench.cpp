// Soak on a noisy line: configuration uploads (128 blocks read from 0x1C000)
// and downloads (128 blocks written, in download mode) through each
// program's transfer engine, verified as the programs run them, against the
// simulated instrument on virtual time at 9600 baud, with 1 % of the bytes
// in both directions corrupted, lost or late. Each run gets a fresh
// instrument, its own old and new configuration and its own seed.
//
// Outcomes: completed and byte-identical; failed (reported to the caller,
// or cancelled after a generous time); silently wrong: reported done while
// the data differ, which must stay at 0. Memory outside the configuration
// that changed is counted apart: nothing on the line covers the address
// bytes, so a write sent elsewhere is seen by neither side.
//
//   soak_bench [--runs N] [--seed S] [--noise PERCENT] [--kinds corrupt,lose,delay]
//              [--towards instrument|host] [--only NAME] [--unverified] [--trace]
#include "bench_support.h"
#include "link/headless_transfer_view.h"
#include "link/matrix_transfer.h"
#include "link/update_link.h"
#include "link/update_transfer.h"
#include "link/wire_protocol.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kStart = 0x1C000;
constexpr int kBlocks = 128;
constexpr size_t kSize = size_t(kBlocks) * 128;
// A clean transfer takes about 20 s of line time, a verified one 40 s.
// QV-Matrix retries without limit; a run still going after this long is
// cancelled, as a user would.
constexpr int64_t kGiveUpMs = 20 * 60 * 1000;

enum class Direction { Upload, Download };

// The noise of one soak and what runs through it.
struct Settings {
    double chance = 0.01;
    bool corrupt = true;
    bool lose = true;
    bool delay = true;
    bool toInstrument = true;
    bool toHost = true;
    qv::Verify verify = qv::Verify::Yes;
    bool trace = false;

    qv::sim::LineNoise Line(bool applies, uint32_t seed) const
    {
        const int kinds = int(corrupt) + int(lose) + int(delay);
        const double each = applies && kinds > 0 ? chance / kinds : 0;
        return {corrupt ? each : 0, lose ? each : 0, delay ? each : 0, seed};
    }
};

struct Outcome {
    bool reportedOk = false;
    bool cancelled = false;
};

struct Tally {
    int runs = 0;
    int completed = 0;
    int failed = 0;
    int cancelled = 0;
    int wrong = 0;
    int elsewhere = 0;
    double virtualMs = 0;
    double realMs = 0;
    qv::sim::LineNoiseModel::Counts toInstrument;
    qv::sim::LineNoiseModel::Counts toHost;
    std::map<std::string, int> messages;
};

// A configuration as they come: blocks of varied bytes between blank ones,
// which a block from the wrong place most often resembles.
std::vector<uint8_t> RandomImage(std::mt19937& random)
{
    std::vector<uint8_t> image(kSize);
    for (size_t at = 0; at < kSize; at += 128) {
        const unsigned kind = random() % 4;
        for (size_t i = at; i < at + 128; ++i)
            image[i] = kind == 0 ? 0x00 : kind == 1 ? 0xFF : uint8_t(random());
    }
    return image;
}

void Add(qv::sim::LineNoiseModel::Counts& sum, const qv::sim::LineNoiseModel::Counts& c)
{
    sum.corrupted += c.corrupted;
    sum.lost += c.lost;
    sum.delayed += c.delayed;
}

// One program's engine on a fresh simulated instrument, prepared on a
// clean line before the noise starts. For a download the instrument is
// restarted into its download mode first, as both programs do.
class Variant {
public:
    virtual ~Variant() = default;
    qv::sim::VirtualInstrument sim{{}, bench::kBaud};

    virtual Outcome Transfer(Direction direction, uint8_t* data, qv::Verify verify) = 0;
    // Ends the running transfer as the user would.
    virtual void Cancel() = 0;

protected:
    void Prepare(Direction direction)
    {
        sim.port.open("SIM");
        if (direction == Direction::Download) {
            sim.port.write("\r.SP15,21\r");
            sim.clock.sleepMs(sim.instrument.options().bootMs + 500);
            sim.port.clearInput(); // the line delivers what came meanwhile
        }
    }
};

class MatrixVariant : public Variant {
public:
    explicit MatrixVariant(Direction direction)
    {
        Prepare(direction);
        channel.init().selectPort("SIM");
        channel.OpenPort();
        transfer.quiet = true;
        transfer.ConnectInstrument(true);
    }
    Outcome Transfer(Direction direction, uint8_t* data, qv::Verify verify) override
    {
        transfer.cancel = false;
        bool ok = false;
        if (direction == Direction::Upload) {
            transfer.mode = qv::TransferMode::Upload;
            ok = transfer.ReadMemory(qv::wire::kCmdReadBlock, kStart, data, kBlocks, verify);
        } else {
            transfer.mode = qv::TransferMode::Download;
            ok = transfer.WriteMemory(kStart, data, kSize - 1, verify);
        }
        // A cancelled transfer may say true for what it did: callers test the flag.
        return {ok && !transfer.cancel, transfer.cancel};
    }
    void Cancel() override { transfer.cancel = true; }

private:
    qv::MatrixChannel channel{sim.port, {sim.clock, sim.pump, sim.prompter}};
    qv::InstrumentRecord record;
    qv::MatrixLink link{channel, record};
    qv::HeadlessTransferView view;
    qv::MatrixTransfer transfer{link, view};
};

class UpdateVariant : public Variant {
public:
    explicit UpdateVariant(Direction direction) { Prepare(direction); }
    Outcome Transfer(Direction direction, uint8_t* data, qv::Verify verify) override
    {
        channel.ResetAbort();
        const bool ok = direction == Direction::Upload ? transfer.ReadBlocks(kStart, kBlocks, data, {}, verify)
                                                       : transfer.WriteBlocks(kStart, kBlocks, data, {}, verify);
        return {ok, channel.aborted()};
    }
    void Cancel() override { channel.Abort(); }

private:
    qv::UpdateChannel channel{sim.port, {sim.clock, sim.pump, sim.prompter}};
    qv::UpdateLink link{channel};
    qv::UpdateTransfer transfer{link};
};

// Which blocks differ, and where in the instrument's memory a wrong block
// read was found: an address byte hit on the way.
void Trace(uint32_t seed, const std::vector<uint8_t>& got, const std::vector<uint8_t>& wanted,
           const std::vector<uint8_t>& memory)
{
    std::printf("  seed %u, blocks wrong:", seed);
    for (size_t at = 0; at < kSize; at += 128) {
        if (std::memcmp(got.data() + at, wanted.data() + at, 128) == 0)
            continue;
        std::printf(" %zu", at / 128);
        for (size_t a = 0; a + 128 <= memory.size(); a += 128)
            if (std::memcmp(memory.data() + a, got.data() + at, 128) == 0) {
                std::printf(" (as at 0x%zX)", a);
                break;
            }
    }
    std::printf("\n");
}

template <typename V>
void OneRun(Direction direction, uint32_t seed, const Settings& settings, Tally& tally)
{
    V v(direction);
    if (direction == Direction::Download && !v.sim.instrument.inDownloadMode()) {
        std::printf("the simulated instrument did not enter its download mode\n");
        std::exit(2);
    }
    std::mt19937 random(seed);
    const std::vector<uint8_t> old = RandomImage(random);
    std::vector<uint8_t> data = RandomImage(random); // what a download sends; an upload fills it
    v.sim.instrument.poke(kStart, old);
    const std::vector<uint8_t> before = v.sim.instrument.memory();
    v.sim.prompter.clearShown();

    const int64_t startMs = v.sim.clock.nowMs();
    v.sim.pump.add([&] {
        if (v.sim.clock.nowMs() - startMs > kGiveUpMs)
            v.Cancel();
    });
    v.sim.wire.setLineNoise(settings.Line(settings.toInstrument, seed), settings.Line(settings.toHost, ~seed));
    Outcome o;
    tally.realMs += bench::RealMs([&] { o = v.Transfer(direction, data.data(), settings.verify); });
    tally.virtualMs += double(v.sim.clock.nowMs() - startMs);

    const std::vector<uint8_t>& wanted = direction == Direction::Upload ? old : data;
    const std::vector<uint8_t> got = direction == Direction::Upload ? data : v.sim.instrument.peek(kStart, kSize);
    const std::vector<uint8_t>& after = v.sim.instrument.memory();
    const size_t end = kStart + kSize;
    const bool elsewhere = std::memcmp(after.data(), before.data(), kStart) != 0 ||
                           std::memcmp(after.data() + end, before.data() + end, after.size() - end) != 0;

    ++tally.runs;
    if (!o.reportedOk) {
        ++tally.failed;
    } else if (got == wanted) {
        ++tally.completed;
    } else {
        ++tally.wrong;
        if (settings.trace)
            Trace(seed, got, wanted, before);
    }
    tally.cancelled += o.cancelled;
    tally.elsewhere += elsewhere;
    for (const auto& text : v.sim.prompter.texts())
        ++tally.messages[text];
    Add(tally.toInstrument, v.sim.wire.noiseToInstrument());
    Add(tally.toHost, v.sim.wire.noiseToHost());
}

void Report(const char* name, const Tally& t)
{
    std::printf("%-16s runs %d: completed %d, failed %d (%d of them cancelled), silently wrong %d; "
                "memory outside the configuration changed in %d\n",
                name, t.runs, t.completed, t.failed, t.cancelled, t.wrong, t.elsewhere);
    const auto n = [](uint64_t v) { return static_cast<unsigned long long>(v); };
    std::printf("%-16s per run %.1f s virtual, %.1f ms real; bytes corrupted/lost/late: to the instrument "
                "%llu/%llu/%llu, to the host %llu/%llu/%llu\n",
                "", t.virtualMs / 1000.0 / t.runs, t.realMs / t.runs, n(t.toInstrument.corrupted),
                n(t.toInstrument.lost), n(t.toInstrument.delayed), n(t.toHost.corrupted), n(t.toHost.lost),
                n(t.toHost.delayed));
    for (const auto& [text, count] : t.messages)
        std::printf("%-16s message \"%s\" %d times\n", "", text.c_str(), count);
}

template <typename V>
bool Soak(const char* name, Direction direction, int runs, uint32_t seed, const Settings& settings)
{
    Tally tally;
    for (int run = 0; run < runs; ++run)
        OneRun<V>(direction, seed + uint32_t(run), settings, tally);
    Report(name, tally);
    return tally.wrong == 0;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 1000;
    uint32_t seed = 1;
    Settings settings;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help") {
            std::printf("soak_bench [--runs N] [--seed S] [--noise PERCENT] [--kinds corrupt,lose,delay]\n"
                        "           [--towards instrument|host] [--only NAME] [--unverified] [--trace]\n");
            return 0;
        }
        if (option == "--unverified") {
            settings.verify = qv::Verify::No;
            continue;
        }
        if (option == "--trace") {
            settings.trace = true;
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "%s needs a value\n", option.c_str());
            return 2;
        }
        const std::string value = argv[++i];
        if (option == "--runs") {
            runs = std::atoi(value.c_str());
        } else if (option == "--seed") {
            seed = uint32_t(std::strtoul(value.c_str(), nullptr, 10));
        } else if (option == "--noise") {
            settings.chance = std::atof(value.c_str()) / 100.0;
        } else if (option == "--kinds") {
            settings.corrupt = value.find("corrupt") != std::string::npos;
            settings.lose = value.find("lose") != std::string::npos;
            settings.delay = value.find("delay") != std::string::npos;
        } else if (option == "--towards") {
            settings.toInstrument = value != "host";
            settings.toHost = value != "instrument";
        } else if (option == "--only") {
            only = value;
        } else {
            std::fprintf(stderr, "unknown option %s\n", option.c_str());
            return 2;
        }
    }
    if (runs < 1) {
        std::fprintf(stderr, "--runs must be 1 or more\n");
        return 2;
    }

    std::printf("16 KiB configuration at %d baud, %s; %.2f %% of the bytes%s%s%s %s; seeds %u to %u\n", bench::kBaud,
                settings.verify == qv::Verify::Yes ? "verified" : "unverified", settings.chance * 100,
                settings.corrupt ? " corrupted" : "", settings.lose ? " lost" : "", settings.delay ? " late" : "",
                settings.toInstrument && settings.toHost ? "both ways"
                : settings.toHost                        ? "towards the host"
                                                         : "towards the instrument",
                seed, seed + uint32_t(runs) - 1);
    bool sound = true;
    const double realMs = bench::RealMs([&] {
        auto soak = [&](const char* name, auto run) {
            if (only.empty() || std::string(name).find(only) != std::string::npos)
                sound = run(name) && sound;
        };
        soak("matrix upload", [&](const char* n) { return Soak<MatrixVariant>(n, Direction::Upload, runs, seed, settings); });
        soak("matrix download",
             [&](const char* n) { return Soak<MatrixVariant>(n, Direction::Download, runs, seed, settings); });
        soak("update upload", [&](const char* n) { return Soak<UpdateVariant>(n, Direction::Upload, runs, seed, settings); });
        soak("update download",
             [&](const char* n) { return Soak<UpdateVariant>(n, Direction::Download, runs, seed, settings); });
    });
    std::printf("%.0f s in all\n", realMs / 1000.0);
    return sound ? 0 : 1;
}
