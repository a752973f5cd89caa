#include "example_payloads.h"

#include "packages/cdp_manifest.h"
#include "platform/host/file_io.h"
#include "sim/default_memory.h"
#include "sim/front_panel.h"
#include "updater/tests/package_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;

const fs::path kExamples = QV_EXAMPLES_DIR;

std::vector<uint8_t> Committed(const fs::path& path)
{
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(qv::ReadWholeFile(path.string(), bytes, error)) << path << ": " << error;
    return bytes;
}

TEST(ExamplePackages, CommittedFilesAreWhatTheScriptMakes)
{
    for (const auto& payload : qvtools::ExamplePayloads())
        EXPECT_EQ(Committed(kExamples / "payloads" / payload.file), payload.bytes)
            << payload.file << ": regenerate with scripts/make-examples";
    int manifests = 0;
    for (const auto& entry : fs::directory_iterator(kExamples)) {
        if (entry.path().extension() != ".manifest")
            continue;
        ++manifests;
        std::string error;
        const auto draft = qv::ReadCdpManifest(entry.path().string(), error);
        ASSERT_TRUE(draft) << error;
        const auto built = qv::BuildCdp(*draft, error);
        ASSERT_TRUE(built) << error;
        fs::path package = entry.path();
        EXPECT_EQ(Committed(package.replace_extension(".CDP")), *built)
            << package << ": regenerate with scripts/make-examples";
    }
    EXPECT_GT(manifests, 0);
}

std::string Panel(PackageBench& b, const std::string& command)
{
    return qv::sim::FrontPanel(b.sim.instrument, b.sim.clock, b.sim.wire.ioModule()).command(command);
}

// Each example installs on an instrument it is meant for.
TEST(ExamplePackages, InstallOnTheSimulatedInstrument)
{
    qv::sim::InstrumentOptions usb = PackageBench::Type14();
    usb.ioModule.interface = 4;
    qv::sim::InstrumentOptions module = PackageBench::Type14();
    module.ioModule.slotModules[1].moduleId = 0xB0;
    const auto before = qv::sim::defaultMemory({});
    struct Case {
        const char* file;
        qv::sim::InstrumentOptions options;
        std::function<void(PackageBench&)> check;
    } cases[] = {
        {"config-upgrade.CDP",
         {},
         [&](PackageBench& b) {
             EXPECT_NE(b.memory(0x1C000, 0x4000),
                       std::vector<uint8_t>(before.begin() + 0x1C000, before.begin() + 0x20000));
         }},
        {"software-blocks.CDP",
         {},
         [](PackageBench& b) {
             EXPECT_EQ(b.memory(0x2000, 1024), Committed(kExamples / "payloads" / "program.bin"));
             EXPECT_EQ(Panel(b, "version"), "5.40");
         }},
        {"io-firmware-fpga.CDP",
         usb,
         [](PackageBench& b) {
             EXPECT_EQ(Panel(b, "io"), "RUN 4.20 (ID 3), system mode 0: Example RUN code 4.20");
             EXPECT_EQ(Panel(b, "fpga"), "configured 1500 bytes, started");
         }},
        {"module-firmware.CDP",
         module,
         [](PackageBench& b) { EXPECT_EQ(Panel(b, "slot 2"), "configured 1500 bytes, started"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        PackageBench b(c.options);
        b.choose(Committed(kExamples / c.file));
        EXPECT_TRUE(b.next()) << ::testing::PrintToString(b.texts());
        c.check(b);
    }
}

} // namespace
