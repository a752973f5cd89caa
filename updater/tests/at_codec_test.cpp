// The "@AT" record codec.
#include "updater/at_codec.h"
#include "updater/io_results.h"

#include "link/wire_protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace qv::at;

// A record: length byte, the fields, Checksum55 of everything before it.
std::string AtRecord(std::string fields, int lengthError = 0, int checksumError = 0)
{
    std::string r = char(0) + fields;
    r[0] = char(r.size() + 1 + size_t(lengthError));
    const auto sum = qv::wire::Checksum55(reinterpret_cast<const uint8_t*>(r.data()), r.size());
    return r + char(sum + checksumError);
}

std::string StatusFields()
{
    std::string f = {0x01, 0x03, 0x07, 0x02, 0x00, 0x04, 0x00, 0x00};
    f += "201";
    f += {char(0xFF), 0x00, 0x00};
    f += "000B57ABCDEF";
    f += {char(0xD4), 0x31, char(0xC8)};
    return f;
}

TEST(AtCodec, CommandBytes)
{
    EXPECT_EQ(SpiUartDestinationCommand(3), std::string("@ATSPIUartDest\r\x03"));
    EXPECT_EQ(SpiUartDestinationCommand(kDspDestination), std::string("@ATSPIUartDest\r\x08"));
    EXPECT_EQ(LoaderRegisterCommand(), std::string("@ATRDREG\r\0", 10));
    EXPECT_EQ(MainboardAddress(32), std::string("\0\x20", 2));
    EXPECT_EQ(MainboardAddress(0x1234), "\x12\x34");
    EXPECT_EQ(FirmwareQuery(0), std::string("g\x60\0\x01", 4));
    EXPECT_EQ(FirmwareQuery(6), std::string("g\x66\0\x01", 4));
}

TEST(AtCodec, Replies)
{
    const struct {
        const char* reply;
        int mode;
        bool erased;
    } cases[] = {
        {"OK", qv::ATCMD_OK, true},
        {"Not OK", qv::ATCMD_WRONG, false},
        {"Erase OK", qv::ATCMD_OK, true},
        {"OK then more", qv::ATCMD_OK, false},
        {"ok", 0, false},
        {"", 0, false},
        {"READY", 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassifyModeReply(c.reply), c.mode) << c.reply;
        EXPECT_EQ(IsEraseAcknowledged(c.reply), c.erased) << c.reply;
    }
}

TEST(AtCodec, StatusRecord)
{
    IoStatus s;
    ASSERT_EQ(DecodeIoStatus(AtRecord(StatusFields()), s), qv::IOSTAT_OK);
    EXPECT_EQ(s.systemMode, 1);
    EXPECT_EQ(s.bootMajor, 3);
    EXPECT_EQ(s.bootMinor, 7);
    EXPECT_EQ(s.bootId, 2);
    EXPECT_EQ(s.interface, 4);
    EXPECT_EQ(s.rs232Levels, 0);
    EXPECT_EQ(s.boardCode, "201");
    EXPECT_EQ(s.runMajor, 255);
    EXPECT_EQ(s.macText, "000B57ABCDEF");
    EXPECT_EQ(s.serial, 0xD431);
    EXPECT_EQ(s.productCode, 0xC8);
    EXPECT_EQ(AtRecord(StatusFields()).size(), 31u);
}

TEST(AtCodec, BadStatusRecords)
{
    const struct {
        const char* name;
        std::string reply;
        int result;
        bool stored;
    } cases[] = {
        {"length one less", AtRecord(StatusFields(), -1), qv::IOSTAT_ERROR_DATACOUNT, false},
        {"length one more", AtRecord(StatusFields(), 1), qv::IOSTAT_ERROR_DATACOUNT, false},
        {"too short for the fields", AtRecord(StatusFields().substr(0, 20)), qv::IOSTAT_ERROR_DATACOUNT, false},
        {"empty", "", qv::IOSTAT_ERROR_DATACOUNT, false},
        {"wrong checksum", AtRecord(StatusFields(), 0, 1), qv::IOSTAT_ERROR_CRC, true},
        {"longer record", AtRecord(StatusFields() + "xyz"), qv::IOSTAT_OK, true},
    };
    for (const auto& c : cases) {
        IoStatus s;
        EXPECT_EQ(DecodeIoStatus(c.reply, s), c.result) << c.name;
        EXPECT_EQ(s.serial, c.stored ? 0xD431 : 0) << c.name;
        EXPECT_EQ(s.boardCode, c.stored ? "201" : "") << c.name;
    }
}

TEST(AtCodec, StatusPredicates)
{
    EXPECT_TRUE(BoardCodeBlank("\xFF\xFF\xFF"));
    EXPECT_TRUE(BoardCodeBlank("2\xFF" "0"));
    EXPECT_FALSE(BoardCodeBlank("201"));
    EXPECT_FALSE(IsUnsupportedMeter(208));
    EXPECT_TRUE(IsUnsupportedMeter(209));
}

TEST(AtCodec, EthernetRecord)
{
    const std::string fields = {0x01, 10, 1, 2, 3, char(255), char(255), 0, 0, 10, 1, 2, 1, 0x00, 0x0B, 0x3C, 0x01,
                                0x02, 0x03};
    const struct {
        const char* name;
        std::string reply;
        int result;
        bool valid;
    } cases[] = {
        {"good", AtRecord(fields), qv::IOSTAT_OK, true},
        {"wrong checksum", AtRecord(fields, 0, 1), qv::IOSTAT_ERROR_CRC, false},
        {"wrong length", AtRecord(fields, -1), qv::IOSTAT_ERROR_DATACOUNT, false},
        {"too short", AtRecord(fields.substr(0, 10)), qv::IOSTAT_ERROR_DATACOUNT, false},
        {"NOT OK", "NOT OK", qv::IOSTAT_ERROR_TIMEOUT, false},
        {"not ok", "not ok", qv::IOSTAT_ERROR_TIMEOUT, false},
        {"nOt Ok", "nOt Ok", qv::IOSTAT_ERROR_TIMEOUT, false},
    };
    for (const auto& c : cases) {
        IoEthernet e;
        EXPECT_EQ(DecodeIoEthernet(c.reply, e), c.result) << c.name;
        EXPECT_EQ(e.valid, c.valid) << c.name;
    }
    IoEthernet e;
    ASSERT_EQ(DecodeIoEthernet(AtRecord(fields), e), qv::IOSTAT_OK);
    EXPECT_EQ(e.dhcp, 1);
    EXPECT_EQ(e.ip, (std::array<uint8_t, 4>{10, 1, 2, 3}));
    EXPECT_EQ(e.subnet, (std::array<uint8_t, 4>{255, 255, 0, 0}));
    EXPECT_EQ(e.gateway, (std::array<uint8_t, 4>{10, 1, 2, 1}));
    EXPECT_EQ(e.mac, (std::array<uint8_t, 6>{0x00, 0x0B, 0x3C, 0x01, 0x02, 0x03}));
}

TEST(AtCodec, FlashIdentity)
{
    const struct {
        std::string reply;
        bool valid;
        uint8_t manufacturer, device;
        int spiMode;
    } cases[] = {
        {"\xBF\x13\x1B", true, 0xBF, 0x13, kSpiUsable},
        {std::string("\0\0\x1B", 3), true, 0x00, 0x00, kSpiNotSupportedByFpga},
        {"\xF0\xF0\x1B", true, 0xF0, 0xF0, kSpiNotSupportedByFpga},
        {"\xFF\xFF\x1B", true, 0xFF, 0xFF, kSpiNotSupportedByFpga},
        {"\xFF\x13\x1B", true, 0xFF, 0x13, kSpiUsable},
        {"\xBF\x13\x1B\r\n", true, 0xBF, 0x13, kSpiUsable},
        {"\xBF\x13\x1C", false, 0xFF, 0xFF, kSpiNotSupportedByIo},
        {"\xBF\x13", false, 0xFF, 0xFF, kSpiNotSupportedByIo},
        {"", false, 0xFF, 0xFF, kSpiNotSupportedByIo},
    };
    for (const auto& c : cases) {
        FlashIdentity id{1, 2};
        int spiMode = -1;
        EXPECT_EQ(DecodeFlashIdentity(c.reply, id, spiMode), c.valid) << c.reply.size();
        EXPECT_EQ(id.manufacturer, c.manufacturer);
        EXPECT_EQ(id.device, c.device);
        EXPECT_EQ(spiMode, c.spiMode);
    }
}

TEST(AtCodec, MainboardBlock)
{
    auto block = [](std::string data, int checksumError = 0, int countError = 0) {
        const auto sum = qv::wire::Checksum55(reinterpret_cast<const uint8_t*>(data.data()), data.size());
        return std::string{char(0), char(data.size() + size_t(countError)), char(sum + checksumError)} + data;
    };
    const std::string fifteen = "\x03" "201\x02\x02\x30\x39" "ABCDEFG";
    const std::string seventeen = fifteen + "HI";
    const struct {
        const char* name;
        std::string reply;
        bool ok;
        uint8_t first, last;
    } cases[] = {
        {"15 bytes", block(fifteen), true, 0x03, 0x00},
        {"wrong checksum", block(fifteen, 1), false, 0x03, 0x00},
        {"count beyond the reply", block(fifteen, 0, 1), false, 0x00, 0x00},
        {"only 16 are kept", block(seventeen), true, 0x03, 'H'},
        {"header only", std::string(2, '\0'), false, 0x00, 0x00},
    };
    for (const auto& c : cases) {
        std::array<uint8_t, 16> data{};
        EXPECT_EQ(DecodeMainboardBlock(c.reply, data), c.ok) << c.name;
        EXPECT_EQ(data[0], c.first) << c.name;
        EXPECT_EQ(data[15], c.last) << c.name;
    }
}

TEST(AtCodec, ModuleQueries)
{
    const struct {
        std::string reply;
        char letter;
        uint8_t value;
    } cases[] = {
        {"c\xB0", 'c', 0xB0},
        {"xc\xC1", 'c', 0xC1},
        {"c\x12" "c\x13", 'c', 0x12},
        {"e\x12", 'c', 0},
        {"c", 'c', 0},
        {"xc", 'c', 0},
        {"", 'j', 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeModuleByte(c.reply, c.letter), c.value) << c.reply;

    EXPECT_EQ(DecodeModuleFirmware(std::string("g\x60\0\x01\x24", 5)), 0x24);
    EXPECT_EQ(DecodeModuleFirmware(std::string("g\x60\0\x01", 4)), 0);
}

TEST(AtCodec, ModuleNames)
{
    const std::pair<int, const char*> cases[] = {
        {0x00, "No module detected"},
        {0xFF, "Unknown Module"},
        {0xB0, "8 Channel Analogue Input Module, 8-ANA"},
        {0xB1, "4 Channel AES Input Module, 4-AES"},
        {0xC0, "8 Channel Analogue Output Module, 8-ANA"},
        {0xC1, "4 Channel AES Output Module, 4-AES"},
        {0xDD, "Dolby-E Decoder Module"},
        {0xAD, "Audio Delay Module"},
        {0x42, "Unknown Module"},
    };
    for (const auto& [code, name] : cases)
        EXPECT_EQ(ModuleName(code), name) << code;
}

TEST(AtCodec, ResultTexts)
{
    EXPECT_EQ(qv::AtResultText(512), "Command executed correctly.");
    EXPECT_EQ(qv::AtResultText(513), "Unknown responce.");
    EXPECT_EQ(qv::AtResultText(514), "Communication Timeout.");
    EXPECT_EQ(qv::AtResultText(515), "Wrong responce.");
    EXPECT_EQ(qv::AtResultText(768), "");
}

} // namespace
