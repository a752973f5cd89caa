// Detection of the I/O-interface and its records against the simulated module.
#include "io_fixture.h"

#include "link/identity_tables.h"
#include "link/update_link.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using qv::sim::IoModuleOptions;

TEST(IoDetect, ReadsTheRecordsAndLeavesTheModuleTransparent)
{
    IoBench b;
    ASSERT_EQ(b.io.DetectIoInterface(false), qv::IOSTAT_OK);

    EXPECT_EQ(b.module().commandLines(),
              (std::vector<std::string>{"@AT+++", "@ATSTAT", "@ATSTAT", "@ATVER", "@ATRDFlashID", "@ATETH0", "@AT---"}));
    EXPECT_FALSE(b.module().commandMode());
    EXPECT_EQ(b.channel.rxMode, qv::RxMode::AtLines) << "the caller picks the next mode";

    const qv::at::IoStatus& s = b.io.status;
    EXPECT_EQ(s.systemMode, 0);
    EXPECT_EQ(s.bootMajor, 1);
    EXPECT_EQ(s.bootMinor, 4);
    EXPECT_EQ(s.interface, 2);
    EXPECT_EQ(s.rs232Levels, 1);
    EXPECT_EQ(s.boardCode, "200");
    EXPECT_EQ(s.runMajor, 2);
    EXPECT_EQ(s.runMinor, 10);
    EXPECT_EQ(s.runId, 3);
    EXPECT_EQ(s.macText, "000B3C0012AB");
    EXPECT_EQ(s.serial, 12345);
    EXPECT_EQ(s.productCode, 0x20);
    EXPECT_EQ(b.identity.serial, 12345);
    EXPECT_EQ(b.identity.boardCode, "200");
    EXPECT_EQ(b.identity.type, qv::TypeFromSerial(12345, "200", false));
    EXPECT_EQ(b.identity.typeName, qv::TypeName(qv::Program::Update, b.identity.type));
    EXPECT_EQ(b.io.versionText, "I/O-Interface RUN 2.10");
    EXPECT_EQ(b.io.flash.manufacturer, 0xBF);
    EXPECT_EQ(b.io.flash.device, 0x13);
    EXPECT_EQ(b.io.spiMode, qv::at::kSpiUsable);
    ASSERT_TRUE(b.io.ethernet.valid);
    EXPECT_EQ(b.io.ethernet.ip, (std::array<uint8_t, 4>{169, 254, 10, 20}));
    EXPECT_EQ(b.io.ethernet.mac, (std::array<uint8_t, 6>{0x00, 0x0B, 0x3C, 0x00, 0x12, 0xAB}));

    // Transparent: the instrument's own protocol passes through.
    b.channel.rxMode = qv::RxMode::Binary;
    qv::UpdateLink link(b.channel);
    uint16_t word = 0;
    ASSERT_TRUE(link.ReadWord(0x1C112, word));
    EXPECT_EQ(word & 0xFF, '1');
}

TEST(IoDetect, BadStatusRecords)
{
    struct Case {
        const char* name;
        std::function<void(IoModuleOptions&)> fault;
        int result;
        bool stored;
    } cases[] = {
        {"length byte one less", [](IoModuleOptions& o) { o.statusLengthError = -1; }, qv::IOSTAT_ERROR_DATACOUNT, false},
        {"length byte one more", [](IoModuleOptions& o) { o.statusLengthError = 1; }, qv::IOSTAT_ERROR_DATACOUNT, false},
        {"replies differ", [](IoModuleOptions& o) { o.statusRepliesDiffer = true; }, qv::IOSTAT_ERROR_MISMATCH, false},
        {"wrong checksum", [](IoModuleOptions& o) { o.badStatusChecksum = true; }, qv::IOSTAT_ERROR_CRC, true},
    };
    for (const auto& c : cases) {
        IoModuleOptions o;
        c.fault(o);
        IoBench b(o);
        EXPECT_EQ(b.io.DetectIoInterface(false), c.result) << c.name;
        // Each failed read is tried three more times; the module stays in command mode.
        EXPECT_EQ(b.module().count("@ATSTAT"), 8) << c.name;
        EXPECT_TRUE(b.module().commandMode()) << c.name;
        EXPECT_EQ(b.module().count("@ATETH0"), 0) << c.name;
        if (c.stored) {
            EXPECT_EQ(b.identity.serial, 12345) << c.name;
            EXPECT_EQ(b.identity.boardCode, "200") << c.name;
            EXPECT_EQ(b.io.versionText, "I/O-Interface RUN 2.10") << c.name;
            EXPECT_EQ(b.io.flash.manufacturer, 0xBF) << c.name;
        } else {
            EXPECT_EQ(b.identity.serial, 0) << c.name;
            EXPECT_EQ(b.io.status.boardCode, "") << c.name;
            EXPECT_EQ(b.io.versionText, "") << c.name;
            EXPECT_EQ(b.module().count("@ATRDFlashID"), 0) << c.name;
        }
    }
}

TEST(IoDetect, BlankBoardCodeIsReadAgain)
{
    struct Case {
        int blankReplies;
        int statusReads;
        bool blankAtEnd;
    } cases[] = {{0, 2, false}, {2, 4, false}, {4, 6, false}, {100, 8, true}};
    for (const auto& c : cases) {
        IoModuleOptions o;
        o.blankBoardCodeReplies = c.blankReplies;
        IoBench b(o);
        const int64_t start = b.sim.clock.nowMs();
        EXPECT_EQ(b.io.DetectIoInterface(false), qv::IOSTAT_OK) << c.blankReplies;
        EXPECT_EQ(b.module().count("@ATSTAT"), c.statusReads) << c.blankReplies;
        EXPECT_EQ(qv::at::BoardCodeBlank(b.io.status.boardCode), c.blankAtEnd) << c.blankReplies;
        const int rereads = c.statusReads / 2 - 1;
        EXPECT_GE(b.elapsedMs(start), rereads * qv::IoInterface::kStatusRereadPauseMs) << c.blankReplies;
    }
}

TEST(IoDetect, NewerMeterRefusedOnlyWhenLeavingCommandMode)
{
    IoModuleOptions o;
    o.productCode = 209;
    IoBench leaving(o);
    EXPECT_EQ(leaving.io.DetectIoInterface(false), qv::IOSTAT_UNSUPPORTED_METER);
    IoBench staying(o);
    EXPECT_EQ(staying.io.DetectIoInterface(true), qv::IOSTAT_OK);
    EXPECT_TRUE(staying.module().commandMode());

    o.productCode = 208;
    IoBench last(o);
    EXPECT_EQ(last.io.DetectIoInterface(false), qv::IOSTAT_OK);
}

TEST(IoDetect, LinesMayEndInLfCr)
{
    IoModuleOptions o;
    o.lineEnd = "\n\r";
    IoBench b(o);
    EXPECT_EQ(b.io.DetectIoInterface(false), qv::IOSTAT_OK);
    EXPECT_EQ(b.io.versionText, "I/O-Interface RUN 2.10");
    EXPECT_TRUE(b.io.ethernet.valid);
}

TEST(IoDetect, ReopensAClosedPort)
{
    IoBench b;
    b.sim.port.close();
    EXPECT_EQ(b.io.DetectIoInterface(true), qv::IOSTAT_OK);
    EXPECT_TRUE(b.sim.port.isOpen());
    EXPECT_EQ(b.sim.port.portName(), "SIM");
}

TEST(IoMode, ModeSwitchReplies)
{
    struct Case {
        const char* reply;
        int result;
        qv::RxMode afterTransparent;
    } cases[] = {
        {"OK", qv::ATCMD_OK, qv::RxMode::Binary},
        {"Not OK", qv::ATCMD_WRONG, qv::RxMode::AtLines},
        {"READY", 0, qv::RxMode::Binary},
        {"", qv::ATCMD_TIMEOUT, qv::RxMode::AtLines},
    };
    for (const auto& c : cases) {
        IoModuleOptions o;
        o.modeSwitchReply = c.reply;
        IoBench b(o);
        EXPECT_EQ(b.io.SetIoMode(true), c.result) << c.reply;
        EXPECT_EQ(b.channel.rxMode, qv::RxMode::AtLines) << c.reply;
        EXPECT_EQ(b.io.SetIoMode(false), c.result) << c.reply;
        EXPECT_EQ(b.channel.rxMode, c.afterTransparent) << c.reply;
    }
}

TEST(IoMode, TypeFourHasNoModeSwitch)
{
    IoBench b;
    b.identity.type = 4;
    EXPECT_EQ(b.io.SetIoMode(true), 0);
    EXPECT_EQ(b.io.DetectIoInterface(false), 0);
    EXPECT_TRUE(b.module().commandLines().empty());
}

TEST(IoEthernet, NoEthernetInAnyLetterCase)
{
    for (const char* reply : {"NOT OK", "not ok", "Not Ok"}) {
        IoModuleOptions o;
        o.ethernet = false;
        o.noEthernetReply = reply;
        IoBench b(o);
        EXPECT_EQ(b.io.DetectIoInterface(true), qv::IOSTAT_OK) << "the Ethernet record does not decide";
        EXPECT_EQ(b.io.ReadIoEthernet(), qv::IOSTAT_ERROR_TIMEOUT) << reply;
        EXPECT_FALSE(b.io.ethernet.valid) << reply;
    }
}

TEST(IoFlashIdentity, RetriesAndSpiMode)
{
    struct Case {
        const char* name;
        std::function<void(IoModuleOptions&)> setup;
        bool spiDisabled;
        int queries;
        int spiMode;
        uint8_t manufacturer;
    } cases[] = {
        {"usable", [](IoModuleOptions&) {}, false, 1, qv::at::kSpiUsable, 0xBF},
        {"zeros are asked three times",
         [](IoModuleOptions& o) { o.flashManufacturer = o.flashDevice = 0x00; },
         false, 3, qv::at::kSpiNotSupportedByFpga, 0x00},
        {"blank flash", [](IoModuleOptions& o) { o.flashManufacturer = o.flashDevice = 0xFF; }, false, 1,
         qv::at::kSpiNotSupportedByFpga, 0xFF},
        {"no answer", [](IoModuleOptions& o) { o.flashAnswers = false; }, false, 1, qv::at::kSpiNotSupportedByIo, 0xFF},
        {"/NOSPI", [](IoModuleOptions&) {}, true, 1, qv::at::kSpiNotSupportedByIo, 0xFF},
    };
    for (const auto& c : cases) {
        IoModuleOptions o;
        c.setup(o);
        IoBench b(o);
        b.io.spiDisabled = c.spiDisabled;
        ASSERT_EQ(b.io.SetIoMode(true), qv::ATCMD_OK) << c.name;
        const int64_t start = b.sim.clock.nowMs();
        EXPECT_EQ(b.io.ReadIoStatus(), qv::IOSTAT_OK) << c.name;
        if (c.spiDisabled) {
            EXPECT_LT(b.elapsedMs(start), 1000) << "the identity is not awaited";
        }
        b.settle();
        EXPECT_EQ(b.module().count("@ATRDFlashID"), c.queries) << c.name;
        EXPECT_EQ(b.io.spiMode, c.spiMode) << c.name;
        EXPECT_EQ(b.io.flash.manufacturer, c.manufacturer) << c.name;
    }
}

} // namespace
