// A package installation from the wizard against the simulated instrument
// on virtual time: selection for the instrument, backups and their round
// trip, and what the user is told when something goes wrong.
#include "firmware_fixture.h"
#include "package_fixture.h"

#include "packages/backup_writer.h"
#include "packages/cdp_check.h"
#include "packages/cdp_format.h"
#include "link/identity_tables.h"
#include "platform/host/file_io.h"
#include "sim/default_memory.h"
#include "updater/firmware_results.h"

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

using qv::CdpDraftItem;
using qv::sim::InstrumentOptions;

constexpr uint32_t kType5Mask = 1u << 4;
constexpr uint32_t kType4Mask = 1u << 3;

bool Completed(const Texts& texts)
{
    for (const auto& t : texts)
        if (t.starts_with(kInstallComplete))
            return true;
    return false;
}

// New software: a block of program and the version area naming 5.40.
std::vector<CdpDraftItem> NewSoftware(uint32_t mask = 0)
{
    std::vector<uint8_t> area(0x800, 0);
    const auto marker = qv::sim::pairReversed("SOFTWARE VERSION 5.40  ");
    std::copy(marker.begin(), marker.end(), area.begin() + 0x100);
    return {PackageItem(qv::kCdpSoftwareBlock, 0x2000, "Program", Pattern(4096), mask),
            PackageItem(qv::kCdpSoftwareBlock, 0x18000, "Version", area, mask)};
}

TEST(PackageSelection, ItemsForTheInstrumentsTypeOnly)
{
    const std::vector<CdpDraftItem> items = {
        PackageItem(qv::kCdpSoftwareBlock, 0x2000, "For type 5", Pattern(128), kType5Mask),
        PackageItem(qv::kCdpSoftwareBlock, 0x3000, "For type 4", Pattern(128), kType4Mask),
        PackageItem(qv::kCdpSoftwareBlock, 0x4000, "For both", Pattern(128), kType4Mask | kType5Mask),
    };
    for (int serial : {0, 4321}) {
        SCOPED_TRACE(serial);
        PackageBench b;
        if (serial)
            b.connection.AssumeSerialNumber(serial); // "/SERIAL 4321": type 4
        const int type = serial ? 4 : 5;
        ASSERT_EQ(b.identity.type, type);
        ASSERT_TRUE(b.install(Package(items)));
        EXPECT_EQ(b.memory(0x2000, 128) == Pattern(128), type == 5);
        EXPECT_EQ(b.memory(0x3000, 128) == Pattern(128), type == 4);
        EXPECT_EQ(b.memory(0x4000, 128), Pattern(128));
    }
}

// New software, installed with a backup of the old; the backup, read back by
// the package reader and installed, puts the old software back byte for byte.
TEST(PackageBackup, RoundTripRestoresTheSoftware)
{
    const struct {
        const char* name;
        InstrumentOptions options;
    } cases[] = {
        {"block by block", {}},
        {"read block by block, written fast through an I/O-interface", WithIo()},
        {"fast read and write through the I/O-interface", PackageBench::Type14()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PackageBench b(c.options);
        const uint32_t flash = uint32_t(qv::FlashSectors(b.identity.type)) * 128;
        const auto before = b.memory(0, flash);
        const std::string backup = b.files.path("old.CDP");

        ASSERT_TRUE(b.install(Package(NewSoftware()), backup)) << ::testing::PrintToString(b.texts());
        EXPECT_EQ(b.texts().back().substr(std::string(kInstallComplete).size() + 4),
                  "\rA backup of the Instrument-Software was created with the name '" + backup +
                      "'\r\rPress NEXT to continue.");
        EXPECT_EQ(b.sim.instrument.options().softwareVersion, 0x0540) << "the new software runs";
        EXPECT_NE(b.memory(0, flash), before);

        const auto file = ReadFile(backup);
        const qv::CdpCheck check = qv::VerifyFileHeader(qv::Program::Update, file);
        ASSERT_TRUE(check.valid) << check.message;
        ASSERT_EQ(check.package.items.size(), 2u);
        EXPECT_EQ(check.package.items[0].kind, qv::kCdpBiosMode);
        const auto& image = check.package.items[1].payload;
        EXPECT_EQ(std::vector<uint8_t>(image.begin(), image.end()), before);

        b.sim.prompter.clearShown();
        b.choose(file, std::nullopt, "restore.CDP");
        ASSERT_TRUE(b.next()) << ::testing::PrintToString(b.texts());
        EXPECT_EQ(b.memory(0, flash), before);
        EXPECT_EQ(b.sim.instrument.options().softwareVersion, 0x0530);
    }
}

// QV-Matrix's backup of the program memory goes back in through QV-Update.
TEST(PackageBackup, MatrixBackupRestoresTheProgramMemory)
{
    PackageBench b;
    const size_t program = std::stoul(qv::ProgramBlocks(5)) * 128;
    const auto before = b.memory(0, program);
    std::string error;
    const auto backup = qv::BuildMatrixBackup(before, 5, "12345", error);
    ASSERT_TRUE(backup) << error;
    ASSERT_TRUE(b.install(Package(NewSoftware())));
    ASSERT_NE(b.memory(0, program), before);

    b.sim.prompter.clearShown();
    b.choose(*backup, std::nullopt, "matrix.CDP");
    ASSERT_TRUE(b.next());
    EXPECT_EQ(b.memory(0, program), before);
    ASSERT_EQ(b.texts().size(), 2u);
    EXPECT_EQ(b.texts()[0], "The RVT-Software has been restored.");
    EXPECT_TRUE(b.texts()[1].starts_with(kInstallComplete));
}

// The file system refuses the backup part way: as a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

struct FailureCase {
    const char* name;
    InstrumentOptions options;
    std::vector<CdpDraftItem> items;
    // Changes the package file, or the bench before Next; may be empty.
    std::function<void(std::vector<uint8_t>&)> damage;
    std::function<void(PackageBench&)> setup;
    bool backup; // over an old backup file, which survives unless a new one was written in full
    Texts shown;
    bool touched; // the instrument was put into download mode
    bool answersAtTheEnd = true;
    std::function<void(PackageBench&)> check = {};
};

// Each bad package or fault: its message, nothing reported as done, the
// old backup file kept and the instrument not left in download mode.
TEST(PackageFailures, SaySoAndReportNothingAsDone)
{
    const std::string backupText = "\r\rItem 2 ('Big block') was not completed.\rThe backup file '";
    qv::sim::InstrumentOptions silentFlash = PackageBench::Type14();
    silentFlash.ioModule.flashStopAtBlock = 3;
    const FailureCase cases[] = {
        {"a package for another type",
         {},
         {PackageItem(qv::kCdpSoftwareBlock, 0x2000, "Type 4", Pattern(128), kType4Mask)},
         {},
         {},
         false,
         {"This file does not contain any valid data for this instrument.",
          "This file does not contain any valid data for this instrument."},
         false},
        {"a CRC error",
         {},
         NewSoftware(),
         [](std::vector<uint8_t>& file) { file[400] ^= 1; },
         {},
         false,
         // The page shows why it takes the package for none of this instrument's.
         {"CRC Error.\rThe file is corrupted. (CRC: ", "This file does not contain any valid data",
          "CRC Error.\rThe file is corrupted. (CRC: "},
         false},
        {"a truncated item",
         {},
         NewSoftware(),
         [](std::vector<uint8_t>& file) {
             file.resize(file.size() - 10);
             qv::PatchCdpCrc(file);
         },
         {},
         false,
         {"This is not a valid file.", "This file does not contain any valid data", "This is not a valid file."},
         false},
        {"an item past the instrument's memory",
         {},
         {PackageItem(qv::kCdpWriteWord, 0x10, "Fine", Value(qv::kCdpWriteWord, 1)),
          PackageItem(qv::kCdpSoftwareBlock, 0x3FFF80, "Too far", Pattern(256))},
         {},
         {},
         false,
         {"Item 2 ('Too far') cannot be installed:\rThe range $3FFF80 to $40007F lies beyond the instrument's "
          "address space ($0 to $3FFFFF).\r\rNothing was sent to the instrument."},
         false},
        {"a key code that names no key",
         {},
         {PackageItem(qv::kCdpKeyPress, 0, "Key", Value(qv::kCdpKeyPress, 300))},
         {},
         {},
         false,
         {"Item 1 ('Key') cannot be installed:\rthe key code 300 is no key of the instrument.\r\rNothing was sent to "
          "the instrument."},
         false},
        {"a backup folder that takes no file",
         {},
         NewSoftware(),
         {},
         [](PackageBench& b) { b.view.panel(qv::WizardText::BackupFileName).setText("/proc/old"); },
         false,
         {"The backup file 'old.CDP' cannot be created in the directory '/proc'.\r"},
         false},
        {"a full disk while the backup is written",
         {},
         NewSoftware(),
         {},
         {},
         true,
         {"The File 'old.CDP' already exists.\rDo you wish to replace it?",
          "The backup file '" /* the name, then the reason */},
         true},
        {"an instrument that stops answering in the middle of a block",
         {},
         {PackageItem(qv::kCdpWriteWord, 0x1C010, "Word", Value(qv::kCdpWriteWord, 1)),
          PackageItem(qv::kCdpSoftwareBlock, 0x2000, "Big block", Pattern(64 * 128))},
         {},
         [](PackageBench& b) {
             b.sim.pump.add([&b] {
                 if (b.sim.instrument.blockWrites() >= 20)
                     b.sim.instrument.options().noAnswer = true;
             });
         },
         true,
         {"The File 'old.CDP' already exists.\rDo you wish to replace it?",
          "The software update was not completed.\rThe instrument did not take the software block at $2000." +
              backupText},
         true,
         false},
        {"an I/O-interface that stops answering in a fast write",
         silentFlash,
         {PackageItem(qv::kCdpSoftwareBlock, 0x2000, "Fast block", Pattern(10000))},
         {},
         {},
         false,
         {"A unknown error was encountered while updating the FLASH memory.",
          "An error was encountered while updating the FPGA.\rThe software update was not completed.\r\rIf the "
          "problem persists please contact Qvella A/S.\r\rItem 1 ('Fast block') was not completed.\rNo backup of the "
          "previous software was made."},
         true},
        {"a JTAG image for another FPGA; the items after it are not run",
         PackageBench::Type14(),
         {PackageItem(qv::kCdpMainboardFpga, 0, "FPGA", FpgaImage(qv::sim::kVp30Idcode, Bitstream(300))),
          PackageItem(qv::kCdpWriteWord, 0x1C010, "Word", Value(qv::kCdpWriteWord, 0x7777))},
         {},
         {},
         false,
         {"An error was encountered while updating the FPGA.\r\rXSVF_ERROR_TDOMISMATCH",
          "An error was encountered while updating the FPGA.\rThe software update was not completed.\r\rIf the "
          "problem persists please contact Qvella A/S.\r\rItem 1 ('FPGA') was not completed.\rNo backup of the "
          "previous software was made."},
         true,
         true,
         [](PackageBench& b) { EXPECT_NE(b.memory(0x1C010, 2), (std::vector<uint8_t>{0x77, 0x77})); }},
        {"an item of a kind this program does not know",
         {},
         {PackageItem(10, 0, "From the future"), PackageItem(qv::kCdpWriteByte, 0x1C011, "Byte",
                                                             Value(qv::kCdpWriteByte, 1))},
         {},
         {},
         false,
         {"The software installation is not complete. These items were not run:\rItem 1 ('From the future'), kind "
          "10: a kind this QV-Update does not know.\r\rPress NEXT to continue."},
         true,
         true,
         [](PackageBench& b) { EXPECT_EQ(b.memory(0x1C011, 1), std::vector<uint8_t>{1}); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PackageBench b(c.options);
        auto file = qv::test::Build(Package(c.items));
        if (c.damage)
            c.damage(file);
        const std::string old = b.files.write("old.CDP", Bytes("old backup"));
        b.choose(file, c.backup ? std::optional(old) : std::nullopt);
        if (c.backup)
            b.sim.prompter.queueAnswer(qv::Answer::Yes);
        if (c.setup) {
            b.view.setChecked(qv::WizardControl::Backup, true);
            c.setup(b);
        }
        const std::vector<uint8_t> before = b.memory(0, 0x20000);
        bool done = false;
        {
            // Only the backup's case fills the disk: 64 KiB go, the rest does not.
            std::optional<FileSizeLimit> disk;
            if (std::string(c.name).starts_with("a full disk"))
                disk.emplace(64 * 1024);
            done = b.next();
        }
        EXPECT_FALSE(done);
        const Texts shown = b.texts();
        ASSERT_EQ(shown.size(), c.shown.size()) << ::testing::PrintToString(shown);
        for (size_t i = 0; i < shown.size(); ++i)
            EXPECT_TRUE(shown[i].starts_with(c.shown[i])) << shown[i];
        EXPECT_FALSE(Completed(shown));
        const bool newBackup = std::any_of(shown.begin(), shown.end(), [&](const std::string& text) {
            return text.find(backupText + old + "' can be installed to restore the previous software.") !=
                   std::string::npos;
        });
        if (newBackup) {
            EXPECT_TRUE(qv::VerifyFileHeader(qv::Program::Update, ReadFile(old)).valid);
        } else {
            EXPECT_EQ(ReadFile(old), Bytes("old backup")) << "the old backup stays";
        }
        const bool toDownloadMode =
            std::find(b.sim.instrument.textLines().begin(), b.sim.instrument.textLines().end(), ".SP15,21") !=
            b.sim.instrument.textLines().end();
        EXPECT_EQ(toDownloadMode, c.touched);
        if (!c.touched) {
            EXPECT_EQ(b.memory(0, 0x20000), before) << "nothing was sent";
        }
        EXPECT_EQ(b.sim.instrument.inDownloadMode(), !c.answersAtTheEnd) << "restarted, or never in download mode";
        if (c.check)
            c.check(b);
    }
}

// Cancel in the middle of an item: the run ends when the transfer gives up,
// leaves the instrument as it is, and says which item was cut short.
TEST(PackageFailures, CancelInTheMiddleOfAnItem)
{
    struct Case {
        const char* name;
        InstrumentOptions options;
        CdpDraftItem item;
        std::function<bool(PackageBench&)> when;
    } cases[] = {
        {"block by block",
         {},
         PackageItem(qv::kCdpSoftwareBlock, 0x2000, "Big block", Pattern(64 * 128)),
         [](PackageBench& b) { return b.sim.instrument.blockWrites() >= 20; }},
        {"through the fast write",
         PackageBench::Type14(),
         PackageItem(qv::kCdpSoftwareBlock, 0x2000, "Big block", Pattern(64 * 1280)),
         [](PackageBench& b) {
             const auto* transfer = b.module().flashTransfer();
             return transfer && transfer->blocks() >= 10;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PackageBench b(c.options);
        bool pressed = false;
        b.sim.pump.add([&] {
            if (!pressed && c.when(b)) {
                pressed = true;
                b.wizard.btnExitClick();
            }
        });
        const int restarts = b.sim.instrument.restartCount();
        EXPECT_FALSE(b.install(Package({PackageItem(qv::kCdpInformation, 0, "Starting."), c.item})));
        EXPECT_TRUE(pressed);
        EXPECT_EQ(b.texts(), (Texts{"Starting.", "The software installation was cancelled.\r\rItem 2 ('Big block') was "
                                                 "not completed.\rNo backup of the previous software was made.\r\rThe "
                                                 "instrument was not restarted."}));
        EXPECT_EQ(b.wizard.page(), "START");
        EXPECT_EQ(b.view.tag(qv::UpdateControl::Next), qv::kNextToFileSelection);
        EXPECT_EQ(b.sim.instrument.restartCount(), restarts + 1) << "only into download mode";
        EXPECT_TRUE(b.sim.instrument.inDownloadMode());
        EXPECT_EQ(b.sim.wire.baudRate(), 9600) << "the link back at its low speed";
        if (b.sim.wire.ioModule()) {
            EXPECT_FALSE(b.module().commandMode());
        }
    }
}

// In BIOS mode the user names the type; items that need the running
// software are skipped and the end says so.
TEST(PackageBios, TypeChosenAndSoftwareItemsSkipped)
{
    InstrumentOptions bios;
    bios.biosMode = true;
    PackageBench b(bios);
    ASSERT_TRUE(b.identity.biosMode);
    b.view.onChooseBiosType = [] { return std::optional<int>(5); };
    EXPECT_FALSE(b.install(Package({
        PackageItem(qv::kCdpSoftwareBlock, 0x2000, "Program", Pattern(256), kType5Mask),
        PackageItem(qv::kCdpWriteWord, 0x1C010, "Word", Value(qv::kCdpWriteWord, 0x4242), kType5Mask),
        PackageItem(qv::kCdpWriteByte, 0x1C012, "Byte", Value(qv::kCdpWriteByte, 0x42), kType5Mask),
        PackageItem(qv::kCdpUpgradeTo510, 0, "Configuration", {}, kType5Mask),
    })));
    EXPECT_EQ(b.view.biosTypeChoices, 1);
    EXPECT_EQ(b.identity.type, 5);
    EXPECT_EQ(b.texts(), Texts{"The instrument was in BIOS-Mode, some operations could not be performed,\rplease "
                               "verify that the instrument has booted normally and execute the update one more "
                               "time.\r\rPress NEXT to continue."});
    EXPECT_EQ(b.memory(0x2000, 256), Pattern(256)) << "the boot loader takes software";
    EXPECT_NE(b.memory(0x1C010, 2), (std::vector<uint8_t>{0x42, 0x42}));
    EXPECT_NE(b.memory(0x1C012, 1), std::vector<uint8_t>{0x42});
}

TEST(PackageUsbAdvice, AskedForAPackageMeantForUsbOnASerialLink)
{
    for (const bool usb : {false, true}) {
        for (const qv::Answer answer : {qv::Answer::No, qv::Answer::Yes}) {
            SCOPED_TRACE(std::string(usb ? "USB" : "serial") + (answer == qv::Answer::Yes ? ", Yes" : ", No"));
            InstrumentOptions options = PackageBench::Type14();
            options.ioModule.interface = usb ? 4 : 2;
            PackageBench b(options);
            if (!usb)
                b.sim.prompter.queueAnswer(answer);
            const bool done = b.install(Package({PackageItem(qv::kCdpWriteByte, 0x1C012, "Byte",
                                                             Value(qv::kCdpWriteByte, 0x42))},
                                                "0002"));
            const bool installed = usb || answer == qv::Answer::Yes;
            EXPECT_EQ(done, installed);
            EXPECT_EQ(b.memory(0x1C012, 1) == std::vector<uint8_t>{0x42}, installed);
            if (usb) {
                EXPECT_TRUE(b.texts().back().starts_with(kInstallComplete));
                continue;
            }
            EXPECT_TRUE(b.texts()[0].starts_with("The instrument is connected through the serial connection,\rit is "
                                                 "advised to connect the instrument using the USB connection."));
            if (!installed) {
                EXPECT_EQ(b.wizard.page(), "START");
                EXPECT_EQ(b.view.tag(qv::UpdateControl::Next), qv::kNextToFileSelection);
                EXPECT_EQ(b.texts().size(), 1u);
            }
        }
    }
}

// An I/O-interface instrument gets the FPGA loader first; the FPGA it finds
// refines the type, which picks the items.
TEST(PackagePreparation, FpgaLoaderFirstAndTheTypeRefined)
{
    for (const bool vp30 : {false, true}) {
        SCOPED_TRACE(vp30 ? "VP30" : "VP20");
        InstrumentOptions options = PackageBench::Type14();
        options.ioModule.fpgaIdcode = vp30 ? qv::sim::kVp30Idcode : qv::sim::kVp20Idcode;
        PackageBench b(options);
        ASSERT_EQ(b.identity.type, 14);
        EXPECT_TRUE(b.install(Package({
            PackageItem(qv::kCdpWriteByte, 0x1C012, "Both", Value(qv::kCdpWriteByte, 0x42), 3u << 13),
            PackageItem(qv::kCdpWriteByte, 0x1C013, "VP30 only", Value(qv::kCdpWriteByte, 0x43), 1u << 14),
        }))) << ::testing::PrintToString(b.texts());
        EXPECT_EQ(b.identity.type, vp30 ? 15 : 14);
        EXPECT_EQ(b.memory(0x1C012, 1), std::vector<uint8_t>{0x42});
        EXPECT_EQ(b.memory(0x1C013, 1) == std::vector<uint8_t>{0x43}, vp30);
        EXPECT_EQ(b.module().count("@ATPrg"), 2) << "both loader stages";
    }

    // A loader that does not go in: said, and the wizard disconnects.
    InstrumentOptions refusing = PackageBench::Type14();
    refusing.ioModule.eraseFails = true;
    PackageBench b(refusing);
    EXPECT_FALSE(b.install(Package({PackageItem(qv::kCdpWriteByte, 0x1C012, "Byte", Value(qv::kCdpWriteByte, 0x42),
                                                1u << 13)})));
    EXPECT_FALSE(b.texts().empty());
    EXPECT_FALSE(b.connection.connected());
    EXPECT_EQ(b.wizard.page(), "START");
    EXPECT_NE(b.memory(0x1C012, 1), std::vector<uint8_t>{0x42});
    EXPECT_FALSE(b.sim.instrument.inDownloadMode());
}

} // namespace
