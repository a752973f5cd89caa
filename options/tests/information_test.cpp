// The file information table and the installed modules.
#include "options/file_info.h"
#include "options/installed_modules.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

TEST(FileInfo, RowsOfTheTrailer)
{
    IdentityTrailer trailer;
    EXPECT_EQ(FileInfoRows(trailer), (Rows{{"Serial:", "0"},
                                           {"RVT Type:", "Unknown"},
                                           {"Software Version:", "00.00"},
                                           {"Extended Bios Version:", "0000"},
                                           {"Hardware ID:", "0000"},
                                           {"Checksum:", "00000000"}}))
        << "a raw file";
    trailer.serial = 12345;
    trailer.type = 3;
    trailer.version = 0x0530;
    trailer.extendedBiosVersion = 0x1A;
    trailer.hardwareId = 0xBEEF;
    trailer.checksum = 0xCAFE01;
    const Rows rows = FileInfoRows(trailer);
    EXPECT_EQ(rows[0].second, "12345");
    EXPECT_EQ(rows[2].second, "05.30");
    EXPECT_EQ(rows[3].second, "001A");
    EXPECT_EQ(rows[4].second, "BEEF");
    EXPECT_EQ(rows[5].second, "00CAFE01");
}

TEST(FileInfo, OnlySerialAndVersionTakeTypedValues)
{
    const struct {
        FileInfoRow row;
        const char* text;
        bool taken;
        int32_t serial;
        uint32_t version;
    } cases[] = {
        {FileInfoRow::Serial, "65535", true, 65535, 0x10530},
        {FileInfoRow::Serial, "0", true, 0, 0x10530},
        {FileInfoRow::Serial, "65536", false, 7, 0x10530},
        {FileInfoRow::Serial, "-1", false, 7, 0x10530},
        {FileInfoRow::Serial, "12a", false, 7, 0x10530},
        {FileInfoRow::Serial, "", false, 7, 0x10530},
        {FileInfoRow::SoftwareVersion, "5.10", true, 7, 0x10510},
        {FileInfoRow::SoftwareVersion, "05.3", true, 7, 0x10503},
        {FileInfoRow::SoftwareVersion, "five", false, 7, 0x10530},
        {FileInfoRow::Checksum, "1", false, 7, 0x10530},
    };
    for (const auto& c : cases) {
        IdentityTrailer trailer;
        trailer.serial = 7;
        trailer.version = 0x10530; // the high half is not the version's
        EXPECT_EQ(ChangeFileInfo(trailer, c.row, c.text), c.taken) << c.text;
        EXPECT_EQ(trailer.serial, c.serial) << c.text;
        EXPECT_EQ(trailer.version, c.version) << c.text;
    }
}

TEST(InstalledModules, CountsAndSlotNamesByTable)
{
    DotIdentity dot;
    dot.store(DotIdentity::kInputChannels, 32);
    dot.store(DotIdentity::kOutputChannels, 48);
    dot.store(DotIdentity::kFirstInputModule, 0x11);
    dot.store(DotIdentity::kFirstInputModule + 1, 0x24);
    dot.store(DotIdentity::kFirstInputModule + 2, 0x55);
    dot.store(DotIdentity::kFirstInputModule + 3, 0x32);
    dot.store(DotIdentity::kFirstOutputModule, 0x10);
    dot.store(DotIdentity::kFirstOutputModule + 1, 0x22);
    const InstalledModules m = InstalledModulesOf(dot);
    EXPECT_EQ(m.inputCaption, "Available number of input channels: 32");
    EXPECT_EQ(m.outputCaption, "Available number of output channels: 48");
    EXPECT_EQ(m.inputs, (std::array<std::string, 4>{"#1: Analogue Input Module, 1-AES 2-ANA (11)",
                                                    "#2: 4 Channel Digital Input Module, 4-AES (24)",
                                                    "#3: Unknown Module (55)", "#4: Unknown Module (32)"}));
    EXPECT_EQ(m.outputs, (std::array<std::string, 4>{"#1: GPIO Module (10)", "#2: Unknown Module (22)",
                                                     "#3: Not installed.", "#4: Not installed."}));
}

} // namespace
} // namespace qv
