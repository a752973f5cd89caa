#pragma once

#include "sim/io_module.h"
#include "sim/virtual_instrument.h"
#include "updater/headless_wizard_view.h"
#include "updater/update_connection.h"
#include "updater/update_wizard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

// A folder of its own for the files one test writes.
class TempFolder {
public:
    TempFolder()
        : path_(std::filesystem::temp_directory_path() / ("qv-wizard-" + std::to_string(std::random_device{}())))
    {
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }

    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        std::ofstream(path_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return (path_ / name).string();
    }
    std::string path(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The file's bytes; none when it cannot be read.
inline std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<uint8_t> Pattern(size_t size)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = uint8_t(i * 7 + 3);
    return bytes;
}

inline qv::sim::InstrumentOptions WithIo(qv::sim::InstrumentOptions options = {})
{
    options.ioModule.present = true;
    return options;
}

// QV-Update's wizard over the simulated instrument on "SIM", on virtual
// time, the main window kept by a headless view.
struct WizardBench {
    explicit WizardBench(qv::sim::InstrumentOptions options = {}) : sim(options)
    {
        view.onStartPage = [this] { wizard.ShowPage("START"); };
        connection.FormShow();
        wizard.ShowPage("START");
    }

    static qv::UpdateConnectionSettings Settings()
    {
        qv::UpdateConnectionSettings s;
        s.programVersion = "1.4.0.0";
        s.simulator = true;
        return s;
    }

    // Connect, then Next to the file selection page.
    void connectAndSelect()
    {
        connection.btnOpenClick();
        ASSERT_TRUE(connection.connected());
        wizard.btnNextClick();
        ASSERT_EQ(wizard.page(), "SELFILE");
    }
    // Typed into the input box, then executed as Next does.
    bool run(const std::string& text)
    {
        wizard.SetInput(text);
        return execute(text);
    }
    // Executed without passing the input box's recognition first.
    bool execute(const std::string& text)
    {
        view.setInputText(text);
        view.setTag(qv::UpdateControl::Next, qv::kNextToStart);
        channel.ResetAbort();
        const bool done = wizard.ExecuteCommand();
        settle();
        return done;
    }
    // Lets the simulated side take what has been sent by now.
    void settle() { sim.wire.hostAvailable(); }
    qv::sim::IoModule& module() { return *sim.wire.ioModule(); }
    std::vector<std::string> texts() const { return sim.prompter.texts(); }
    std::string info() const { return view.text(qv::WizardText::Info); }

    qv::sim::VirtualInstrument sim;
    qv::UpdateChannel channel{sim.port, qv::HostServices{sim.clock, sim.pump, sim.prompter}};
    qv::UpdateIdentity identity;
    qv::IoInterface io{channel, identity};
    qv::HeadlessWizardView view;
    qv::UpdateConnection connection{io, identity, view, Settings()};
    qv::UpdateWizard wizard{io, identity, connection, view};
};
