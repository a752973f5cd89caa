// A package of 2048 software sectors (256 KiB from address 0) installed
// through QV-Update's wizard, as Next runs it, against the simulated
// instrument on virtual time: the item through the instrument's block write
// at 9600 baud, the same item through the I/O-interface's fast write at
// 115200 baud, and the backup read before it, block by block and fast. Each
// phase runs from its text on the "CDP" page to the next one, against the
// wire-time bound of the bytes moved in it; the fixed pauses of the phase
// are left out.
#include "wizard_bench.h"
#include "packages/cdp_format.h"
#include "packages/cdp_writer.h"
#include "packages/package_installer.h"
#include "updater/flash_transfer.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr size_t kSectors = 2048;
constexpr int kHighBaud = qv::IoInterface::kHighBaud;
constexpr const char* kItem = "Software";
constexpr const char* kFastItem = "Software (Fast Mode)";
constexpr const char* kBackupPrefix = "Uploading DSP-Software to: ";

std::vector<uint8_t> Image()
{
    std::vector<uint8_t> image(kSectors * 128);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i * 31 + 7);
    return image;
}

// Where the virtual clock and the wire stood when each text of the page
// appeared, in order.
struct Mark {
    std::string text;
    int64_t us;
    uint64_t bytes;
    std::chrono::steady_clock::time_point real;
};

struct InstallBench : bench::WizardBench {
    explicit InstallBench(qv::sim::InstrumentOptions options) : WizardBench(options)
    {
        view.panels[qv::WizardText::ItemDescription].onText = [this](const std::string& text) {
            marks.push_back({text, sim.clock.nowUs(), sim.wire.bytesToInstrument() + sim.wire.bytesToHost(),
                             std::chrono::steady_clock::now()});
        };
    }

    // Next on the package page, with a backup to `backup` when it is given.
    bool install(const std::string& package, const std::string& backup)
    {
        wizard.SetInput(package);
        view.setChecked(qv::WizardControl::Backup, !backup.empty());
        view.panel(qv::WizardText::BackupFileName).setText(backup);
        view.setTag(qv::UpdateControl::Next, qv::kNextExecute);
        const int64_t startUs = sim.clock.nowUs();
        bool done = false;
        const double realMs = bench::RealMs([&] { done = wizard.ExecuteCommand(); });
        std::printf("  whole installation: %.1f s virtual, %.0f ms real\n",
                    double(sim.clock.nowUs() - startUs) / 1e6, realMs);
        return done && sim.instrument.peek(0, kSectors * 128) == Image();
    }

    // From the first text that starts with `from` to the text after it.
    bench::Measurement phase(const std::string& from, bool ok) const
    {
        bench::Measurement m;
        m.ok = ok;
        for (size_t i = 0; i + 1 < marks.size(); ++i) {
            if (!marks[i].text.starts_with(from))
                continue;
            m.elapsedMs = double(marks[i + 1].us - marks[i].us) / 1000.0;
            m.bytes = marks[i + 1].bytes - marks[i].bytes;
            m.realMs = std::chrono::duration<double, std::milli>(marks[i + 1].real - marks[i].real).count();
            return m;
        }
        m.ok = false;
        return m;
    }

    std::vector<Mark> marks;
};

} // namespace

int main()
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "qv-package-bench";
    std::filesystem::create_directories(folder);
    qv::CdpDraft draft;
    draft.description = "2048 sectors";
    qv::CdpDraftItem item;
    item.kind = qv::kCdpSoftwareBlock;
    item.description = kItem;
    item.payload = Image();
    draft.items = {item};
    const std::string package = (folder / "software.CDP").string();
    std::string error;
    if (!qv::WriteCdp(package, draft, error)) {
        std::fprintf(stderr, "package_install_bench: %s\n", error.c_str());
        return 1;
    }

    std::printf("Package of %zu software sectors through the wizard, simulated instrument, virtual time\n", kSectors);
    // Type 4 keeps 2048 sectors of flash; behind an I/O-interface the type
    // is 14, whose backup the module reads.
    qv::sim::InstrumentOptions blocks;
    blocks.serial = 4321;
    InstallBench plain(blocks);
    const bool plainDone = plain.install(package, (folder / "backup-4.CDP").string());
    bench::Report("backup read, block by block, 9600", plain.phase(kBackupPrefix, plainDone), bench::kBaud);
    bench::Report("item, block write, 9600", plain.phase(kItem, plainDone), bench::kBaud,
                  qv::PackageInstaller::kFlashIdentityPauseMs);

    qv::sim::InstrumentOptions fast;
    fast.serial = 55000;
    fast.ioModule.present = true;
    InstallBench module(fast);
    const bool moduleDone = module.install(package, (folder / "backup-14.CDP").string());
    // In BIOS mode for the read, and back in download mode after it.
    // The read starts in BIOS mode, the module settles after it, and the
    // instrument boots back into download mode.
    bench::Report("backup read, fast, 115200", module.phase(kBackupPrefix, moduleDone), kHighBaud,
                  qv::PackageInstaller::kBiosStartMs + qv::FlashTransfer::kSettleMs + qv::PackageInstaller::kBootMs);
    bench::Report("item, fast write, 115200", module.phase(kFastItem, moduleDone), kHighBaud,
                  qv::PackageInstaller::kFastWritePauseMs);
    std::filesystem::remove_all(folder);
    return 0;
}
