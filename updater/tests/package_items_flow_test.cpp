// Package items against the simulated instrument on virtual time: what each
// kind leaves in the instrument, its I/O-interface and its modules.
#include "firmware_fixture.h"
#include "package_fixture.h"

#include "config/config_image.h"
#include "sim/default_memory.h"
#include "sim/front_panel.h"

#include <functional>

namespace {

using qv::CdpDraftItem;
using qv::sim::InstrumentOptions;


std::vector<uint8_t> Upgraded(std::vector<uint8_t> image, bool to510)
{
    qv::ConfigImage config;
    qv::ConfigImage::Bytes bytes{};
    std::copy(image.begin(), image.end(), bytes.begin());
    config.replace(bytes, qv::IdentityTrailer{});
    EXPECT_TRUE(config.upgradeTo500());
    if (to510) {
        EXPECT_TRUE(config.upgradeTo510());
    }
    return {config.bytes().begin(), config.bytes().end()};
}

InstrumentOptions WithSlotModule(uint8_t slot, uint8_t id)
{
    InstrumentOptions options = PackageBench::Type14();
    options.ioModule.slotModules[slot - 1].moduleId = id;
    return options;
}

std::string Panel(PackageBench& b, const std::string& command)
{
    return qv::sim::FrontPanel(b.sim.instrument, b.sim.clock, b.sim.wire.ioModule()).command(command);
}

// Items with a single attempt reach an instrument that has booted into
// download mode: it boots in less time than their wake-up takes.
InstrumentOptions QuickBoot()
{
    InstrumentOptions options;
    options.bootMs = 500;
    return options;
}

struct KindCase {
    const char* name;
    InstrumentOptions options;
    std::vector<CdpDraftItem> items;
    std::function<void(PackageBench&)> check;
    std::vector<std::string> answers = {}; // for the input box
};

TEST(PackageItems, EachKindChangesWhatItShould)
{
    const auto block = Pattern(3000);
    const auto small = Pattern(300);
    const auto loaderStage1 = "RUN 3.11 (ID 3), system mode 0: QV-Sim I/O FPGA loader stage 1 v3.11";
    const KindCase cases[] = {
        {"0: a block through the instrument, whole blocks only",
         {},
         {PackageItem(qv::kCdpSoftwareBlock, 0x2000, "Software", small)},
         [&](PackageBench& b) {
             EXPECT_EQ(b.memory(0x2000, 256), std::vector<uint8_t>(small.begin(), small.begin() + 256));
             EXPECT_NE(b.memory(0x2100, 44), std::vector<uint8_t>(small.begin() + 256, small.end()));
         }},
        {"0: a block through the I/O-interface's fast write",
         PackageBench::Type14(),
         {PackageItem(qv::kCdpSoftwareBlock, 0x2000, "Software", block)},
         [&](PackageBench& b) {
             EXPECT_EQ(b.memory(0x2000, block.size()), block);
             EXPECT_EQ(b.module().count("@ATWRFlash"), 1);
             EXPECT_EQ(b.sim.wire.baudRate(), 9600) << "back at the low speed";
         }},
        {"0: above the program memory always block by block",
         PackageBench::Type14(),
         {PackageItem(qv::kCdpSoftwareBlock, 0x40000, "Screen", Pattern(256))},
         [](PackageBench& b) {
             EXPECT_EQ(b.memory(0x40000, 256), Pattern(256));
             EXPECT_EQ(b.module().count("@ATWRFlash"), 0);
         }},
        {"1: a word, big-endian",
         {},
         {PackageItem(qv::kCdpWriteWord, qv::kImageBaseAddress + 0x10, "Word", Value(qv::kCdpWriteWord, 0x1234))},
         [](PackageBench& b) { EXPECT_EQ(b.memory(qv::kImageBaseAddress + 0x10, 2), (std::vector<uint8_t>{0x12, 0x34})); }},
        {"7: the first asks, the second writes its answer",
         {},
         {PackageItem(qv::kCdpAskWord, qv::kImageBaseAddress + 0x10, "First value?", Value(qv::kCdpAskWord, 7)),
          PackageItem(qv::kCdpAskWord, qv::kImageBaseAddress + 0x20, "Second value?", Value(qv::kCdpAskWord, 9))},
         [](PackageBench& b) {
             EXPECT_EQ(b.memory(qv::kImageBaseAddress + 0x10, 2), (std::vector<uint8_t>{0x1F, 0x40}));
             EXPECT_EQ(b.memory(qv::kImageBaseAddress + 0x20, 2), (std::vector<uint8_t>{0x1F, 0x40}));
             EXPECT_EQ(b.sim.prompter.count("Input."), 3) << "asked again after each refusal, then never";
             EXPECT_EQ(b.sim.prompter.count("Illegal data, please try again."), 1);
             EXPECT_EQ(b.sim.prompter.count("Data is out of range, please try again."), 1);
         },
         {"1F40", "65536", "8000"}},
        {"22: a byte",
         {},
         {PackageItem(qv::kCdpWriteByte, qv::kImageBaseAddress + 0x11, "Byte", Value(qv::kCdpWriteByte, 0xAB))},
         [](PackageBench& b) { EXPECT_EQ(b.memory(qv::kImageBaseAddress + 0x11, 1), std::vector<uint8_t>{0xAB}); }},
        {"2: a restart, and the instrument is found again",
         QuickBoot(),
         {PackageItem(qv::kCdpRestart, 0, "Restart")},
         [](PackageBench& b) {
             EXPECT_EQ(b.sim.instrument.restartCount(), 3) << "download mode, the item, the end";
             EXPECT_TRUE(b.identity.connected);
             EXPECT_FALSE(b.identity.biosMode);
         }},
        {"3: a key press",
         QuickBoot(),
         {PackageItem(qv::kCdpKeyPress, 0, "Key", Value(qv::kCdpKeyPress, 5))},
         [](PackageBench& b) { EXPECT_EQ(b.sim.instrument.keysPressed(), std::vector<int>{5}); }},
        {"4, 5, 6: messages in table order",
         {},
         {PackageItem(qv::kCdpInformation, 0, "Note this."), PackageItem(qv::kCdpWarning, 0, "Mind this."),
          PackageItem(qv::kCdpError, 0, "This went wrong.")},
         [](PackageBench& b) {
             const auto& shown = b.sim.prompter.shown();
             ASSERT_GE(shown.size(), 3u);
             EXPECT_EQ(shown[0].kind, qv::MessageKind::Information);
             EXPECT_EQ(shown[0].text, "Note this.");
             EXPECT_EQ(shown[1].kind, qv::MessageKind::Warning);
             EXPECT_EQ(shown[1].text, "Mind this.");
             EXPECT_EQ(shown[2].kind, qv::MessageKind::Error);
             EXPECT_EQ(shown[2].text, "This went wrong.");
         }},
        {"8: out of download mode and back in, then a word goes in",
         QuickBoot(),
         {PackageItem(qv::kCdpDownloadMode, 0, "Normal restart", Value(qv::kCdpDownloadMode, 0)),
          PackageItem(qv::kCdpDownloadMode, 0, "Download mode", Value(qv::kCdpDownloadMode, 1)),
          PackageItem(qv::kCdpWriteWord, qv::kImageBaseAddress + 0x10, "Word", Value(qv::kCdpWriteWord, 0x4321))},
         [](PackageBench& b) {
             EXPECT_EQ(b.memory(qv::kImageBaseAddress + 0x10, 2), (std::vector<uint8_t>{0x43, 0x21}));
             EXPECT_EQ(b.sim.instrument.restartCount(), 4);
         }},
        {"9: the configuration upgraded to 5.00",
         {},
         {PackageItem(qv::kCdpUpgradeTo500, 0, "Configuration 5.00")},
         [](PackageBench& b) {
             const auto before = qv::sim::defaultMemory({});
             EXPECT_EQ(b.memory(qv::kImageBaseAddress, 0x4000),
                       Upgraded({before.begin() + qv::kImageBaseAddress, before.begin() + qv::kImageBaseAddress + 0x4000}, false));
         }},
        {"11: the configuration upgraded to 5.10",
         {},
         {PackageItem(qv::kCdpUpgradeTo510, 0, "Configuration 5.10")},
         [](PackageBench& b) {
             const auto before = qv::sim::defaultMemory({});
             EXPECT_EQ(b.memory(qv::kImageBaseAddress, 0x4000),
                       Upgraded({before.begin() + qv::kImageBaseAddress, before.begin() + qv::kImageBaseAddress + 0x4000}, true));
         }},
        {"12: the mainboard FPGA through JTAG",
         PackageBench::Type14(),
         {PackageItem(qv::kCdpMainboardFpga, 0, "Mainboard FPGA", FpgaImage(qv::sim::kVp20Idcode, Bitstream(900)))},
         [](PackageBench& b) { EXPECT_EQ(Panel(b, "fpga"), "configured 900 bytes, started"); }},
        {"13: the I/O-interface's RUN code from the package",
         PackageBench::Type14(),
         {PackageItem(qv::kCdpIoFirmware, 0, "I/O firmware", Bytes(RunCodeHex("Package RUN code 4.02", 4, 2)))},
         [](PackageBench& b) { EXPECT_EQ(Panel(b, "io"), "RUN 4.2 (ID 3), system mode 0: Package RUN code 4.02"); }},
        {"14: the FPGA loader QV-Update carries",
         PackageBench::Type14(),
         {PackageItem(qv::kCdpBuiltInIoFirmware, 0, "FPGA loader")},
         [&](PackageBench& b) { EXPECT_EQ(Panel(b, "io"), loaderStage1); }},
        {"15: the I/O-interface's flash erased",
         PackageBench::Type14(),
         {PackageItem(qv::kCdpEraseIoFlash, 0, "Erase")},
         [](PackageBench& b) { EXPECT_TRUE(b.module().flashErased()); }},
        {"16: BIOS mode through the key line, released at the end",
         PackageBench::Type14(),
         {PackageItem(qv::kCdpBiosMode, 0, "BIOS", Value(qv::kCdpBiosMode, 0))},
         [](PackageBench& b) {
             EXPECT_EQ(b.module().count("@ATKDD"), 1);
             EXPECT_EQ(b.module().count("@ATRECFG"), 1);
             EXPECT_FALSE(b.module().keyDown());
             EXPECT_FALSE(b.sim.instrument.options().biosMode);
         }},
        {"17: the FPGA reloaded",
         PackageBench::Type14(),
         {PackageItem(qv::kCdpReloadFpga, 0, "Reload")},
         [](PackageBench& b) {
             EXPECT_EQ(b.module().count("@ATRECFG"), 1);
             EXPECT_EQ(b.module().count("@ATKDD"), 0);
         }},
        {"18: the key line held down",
         PackageBench::Type14(),
         {PackageItem(qv::kCdpKeyLine, 0, "Key down", Value(qv::kCdpKeyLine, 1))},
         [](PackageBench& b) {
             const auto& lines = b.module().commandLines();
             const auto down = std::find(lines.begin(), lines.end(), "@ATKDD");
             ASSERT_NE(down, lines.end());
             EXPECT_NE(std::find(down, lines.end(), "@ATKDU"), lines.end()) << "released by the restart at the end";
         }},
        {"19: module firmware into the slot that holds the module",
         WithSlotModule(3, 0xB0),
         {PackageItem(qv::kCdpModuleFirmware, 0xB0, "Input module",
                      FpgaImage(qv::sim::kSlotFpgaIdcode, Bitstream(700)))},
         [](PackageBench& b) {
             EXPECT_EQ(Panel(b, "slot 3"), "configured 700 bytes, started");
             EXPECT_EQ(Panel(b, "slot 1"), "not configured");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PackageBench b(c.options);
        for (const auto& answer : c.answers)
            b.sim.prompter.queueText(answer);
        EXPECT_TRUE(b.install(Package(c.items))) << ::testing::PrintToString(b.texts());
        ASSERT_FALSE(b.texts().empty());
        EXPECT_TRUE(b.texts().back().starts_with(kInstallComplete)) << b.texts().back();
        c.check(b);
        EXPECT_FALSE(b.sim.instrument.inDownloadMode()) << "restarted at the end";
        if (b.sim.wire.ioModule()) {
            EXPECT_FALSE(b.module().commandMode());
        }
    }
}

// Whole-memory mode: one fast read of the flash, the items patch it in
// memory, one fast write puts it back.
TEST(PackageItems, WholeMemoryPatchesTheFlashImage)
{
    constexpr uint32_t kFlash = 2048 * 128;
    PackageBench b(PackageBench::Type14());
    std::vector<uint8_t> expected = b.memory(0, kFlash);
    const auto patch = Pattern(500);
    std::copy(patch.begin(), patch.end(), expected.begin() + 0x3000);
    expected[0x10] = 0xBE;
    expected[0x11] = 0xEF;
    expected[0x20] = 0x5A;
    auto start = PackageItem(qv::kCdpWholeMemory, 0, "Reading the flash", Value(qv::kCdpWholeMemory, 1));
    start.size = kFlash;
    auto end = PackageItem(qv::kCdpWholeMemory, 0, "Writing the flash", Value(qv::kCdpWholeMemory, 0));
    end.size = kFlash;
    ASSERT_TRUE(b.install(Package({start, PackageItem(qv::kCdpSoftwareBlock, 0x3000, "Patch", patch),
                                   PackageItem(qv::kCdpWriteWord, 0x10, "Word", Value(qv::kCdpWriteWord, 0xBEEF)),
                                   PackageItem(qv::kCdpWriteByte, 0x20, "Byte", Value(qv::kCdpWriteByte, 0x5A)),
                                   end})))
        << ::testing::PrintToString(b.texts());
    EXPECT_EQ(b.memory(0, kFlash), expected);
    EXPECT_EQ(b.module().count("@ATRDFlash"), 1);
    EXPECT_EQ(b.module().count("@ATWRFlash"), 1);
    EXPECT_EQ(b.sim.instrument.blockWrites(), 0) << "nothing went block by block";
    EXPECT_EQ(b.view.bars[qv::WizardBar::Item].texts.back(), "100 %");
    const auto& descriptions = b.view.panels[qv::WizardText::ItemDescription].texts;
    EXPECT_NE(std::find(descriptions.begin(), descriptions.end(), "Patch (Patch Mode)"), descriptions.end());

    // Without the image (the module cannot read the flash) the items write
    // to the instrument directly and the end item has nothing to write.
    InstrumentOptions noFlash = PackageBench::Type14();
    noFlash.ioModule.flashTransferAnswers = false;
    PackageBench direct(noFlash);
    EXPECT_TRUE(direct.install(Package({start, PackageItem(qv::kCdpWriteByte, 0x1C020, "Byte",
                                                           Value(qv::kCdpWriteByte, 0x5A)),
                                        end})))
        << ::testing::PrintToString(direct.texts());
    EXPECT_EQ(direct.memory(0x1C020, 1), std::vector<uint8_t>{0x5A});
    EXPECT_EQ(direct.module().count("@ATWRFlash"), 0);
}

// The overall bar's maximum: the selected items, the backup and 3 %.
TEST(PackageItems, OverallBarCountsTheSelectedItems)
{
    PackageBench b;
    const auto draft = Package({PackageItem(qv::kCdpSoftwareBlock, 0x2000, "A", Pattern(1000)),
                                PackageItem(qv::kCdpSoftwareBlock, 0x3000, "B", Pattern(2000)),
                                PackageItem(qv::kCdpSoftwareBlock, 0x4000, "Not for this type", Pattern(640), 1)});
    ASSERT_TRUE(b.install(draft));
    EXPECT_EQ(b.view.bars[qv::WizardBar::Overall].maximum(), 3000 + 90);
    EXPECT_NE(b.memory(0x4000, 640), Pattern(640));
    EXPECT_EQ(b.view.progressDrains, 1);

    // With a backup the flash read counts as well; the bar says 100 % only
    // when all is done.
    PackageBench backup;
    ASSERT_TRUE(backup.install(draft, backup.files.path("backup")));
    const auto& overall = backup.view.bars[qv::WizardBar::Overall];
    const int64_t maximum = (3000 + 1024 * 128) * 103 / 100;
    EXPECT_EQ(overall.maximum(), maximum);
    ASSERT_GE(overall.positions.size(), 2u);
    const int64_t highest = *std::max_element(overall.positions.begin(), overall.positions.end() - 1);
    EXPECT_EQ(highest, 1024 * 128 + 7 * 128 + 15 * 128) << "the backup and the whole blocks written";
    EXPECT_EQ(overall.positions.back(), maximum);
    EXPECT_EQ(std::count(overall.texts.begin(), overall.texts.end(), "100 %"), 1);
    EXPECT_EQ(overall.texts.back(), "100 %");
}

} // namespace
