#pragma once

#include "wizard_fixture.h"

#include "packages/cdp_format.h"
#include "packages/cdp_writer.h"
#include "packages/tests/cdp_fixture.h"

#include <optional>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;

constexpr const char* kInstallComplete = "The software installation is complete. Elapsed Time: ";

// An item for every type unless a mask is given.

inline qv::CdpDraftItem PackageItem(uint16_t kind, uint32_t address, std::string description,
                                    std::vector<uint8_t> payload = {}, uint32_t mask = 0)
{
    return qv::test::Item(mask, kind, address, std::move(description), std::move(payload));
}

inline std::vector<uint8_t> Value(uint16_t kind, uint16_t value)
{
    return qv::CdpValuePayload(kind, value);
}

inline qv::CdpDraft Package(std::vector<qv::CdpDraftItem> items, std::string version = "0001")
{
    qv::CdpDraft draft;
    draft.version = std::move(version);
    draft.description = "Test package";
    draft.items = std::move(items);
    return draft;
}

// The simulated instrument of type 5 (serial 12345), or of type 14 behind an
// I/O-interface, connected, the wizard on the file selection page with the
// confirmation answered as the command line answers it.
struct PackageBench : WizardBench {
    static constexpr uint16_t kType14Serial = 55000;

    explicit PackageBench(qv::sim::InstrumentOptions options = {}) : WizardBench(options)
    {
        wizard.quiet = true;
        connectAndSelect();
    }
    static qv::sim::InstrumentOptions Type14(qv::sim::InstrumentOptions options = WithIo())
    {
        options.serial = kType14Serial;
        options.ioModule.present = true;
        return options;
    }

    // The package file as the user picks it; the backup box as given.
    std::string choose(const std::vector<uint8_t>& bytes, std::optional<std::string> backup = std::nullopt,
                       const std::string& name = "update.CDP")
    {
        const std::string path = files.write(name, bytes);
        wizard.SetInput(path);
        view.setChecked(qv::WizardControl::Backup, backup.has_value());
        if (backup)
            view.panel(qv::WizardText::BackupFileName).setText(*backup);
        return path;
    }
    // Next on the package page.
    bool next()
    {
        view.setTag(qv::UpdateControl::Next, qv::kNextExecute);
        channel.ResetAbort();
        const std::string path = view.inputText();
        const bool done = wizard.ExecuteCommand();
        settle();
        return done;
    }
    bool install(const qv::CdpDraft& draft, std::optional<std::string> backup = std::nullopt)
    {
        choose(qv::test::Build(draft), std::move(backup));
        return next();
    }
    std::vector<uint8_t> memory(uint32_t address, size_t n) const { return sim.instrument.peek(address, n); }
    std::string itemDescription() const { return view.text(qv::WizardText::ItemDescription); }

    TempFolder files;
};
