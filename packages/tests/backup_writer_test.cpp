#include "packages/backup_writer.h"
#include "packages/cdp_check.h"
#include "packages/cdp_format.h"
#include "platform/host/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace qv {
namespace {

std::vector<uint8_t> Image(size_t n)
{
    std::vector<uint8_t> image(n);
    for (size_t i = 0; i < n; ++i)
        image[i] = uint8_t(i * 13 + 1);
    return image;
}

// What every backup must be: a package both checks pass, two items for the
// instrument's type only.
CdpPackage Checked(Program program, const std::vector<uint8_t>& file)
{
    const CdpCheck check = VerifyFileHeader(program, file);
    EXPECT_TRUE(check.valid) << check.message;
    return check.package;
}

TEST(UpdateBackup, LayoutOfAFullFlashImage)
{
    std::string error;
    const auto image = Image(2048 * 128);
    const auto file = BuildUpdateBackup(image, 4, 4321, error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->size(), 262996u);
    const CdpPackage package = Checked(Program::Update, *file);
    EXPECT_EQ(package.header.version, "0004");
    EXPECT_EQ(package.header.description, "Backup of RVT470D-X, Serial No.: 4321");
    ASSERT_EQ(package.items.size(), 2u);
    EXPECT_EQ(package.items[0].offset, 308u);
    EXPECT_EQ(package.items[0].mask, 0x8u);
    EXPECT_EQ(package.items[0].kind, kCdpBiosMode);
    EXPECT_EQ(package.items[0].size, 0u);
    EXPECT_EQ(package.items[0].description, "Restarting instrument in BIOS mode.");
    EXPECT_EQ(package.items[1].offset, 580u);
    EXPECT_EQ(package.items[1].mask, 0x8u);
    EXPECT_EQ(package.items[1].kind, kCdpSoftwareBlock);
    EXPECT_EQ(package.items[1].address, 0u);
    EXPECT_EQ(package.items[1].description, "Restoring DSP-Software backup.");
    EXPECT_TRUE(std::equal(image.begin(), image.end(), package.items[1].payload.begin(),
                           package.items[1].payload.end()));
    EXPECT_EQ(std::vector<uint8_t>(file->begin() + 292, file->begin() + 308), std::vector<uint8_t>(16, '0'));
    // Reserved words are 0, also the high half of each table entry.
    EXPECT_EQ(GetLe32(*file, 280), 0u);
    EXPECT_EQ(GetLe16(*file, 266), 0u);
    EXPECT_FALSE(VerifyFileHeader(Program::Matrix, *file).valid) << "QV-Matrix installs only its own backups";
}

TEST(UpdateBackup, AShortImageKeepsTheFillAtTheEnd)
{
    std::string error;
    const auto image = Image(100);
    const auto file = BuildUpdateBackup(image, 14, 55000, error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->size(), 2048u);
    const CdpPackage package = Checked(Program::Update, *file);
    EXPECT_EQ(package.header.description, "Backup of RX4471K (2.00), Serial No.: 55000");
    EXPECT_EQ(package.items[1].size, 100u);
    EXPECT_EQ(package.items[0].mask, 1u << 13);
    EXPECT_EQ(std::vector<uint8_t>(file->begin() + 952, file->end()), std::vector<uint8_t>(2048 - 952, '0'));
}

TEST(MatrixBackup, LayoutOfTheProgramMemory)
{
    std::string error;
    const auto program = Image(2048 * 128);
    const auto file = BuildMatrixBackup(program, 4, "4321", error);
    ASSERT_TRUE(file) << error;
    EXPECT_EQ(file->size(), 262996u);
    EXPECT_EQ(GetLe32(*file, 284), 262724u);
    for (Program program : {Program::Matrix, Program::Update}) {
        const CdpPackage package = Checked(program, *file);
        EXPECT_EQ(package.header.version, "0001");
        EXPECT_EQ(package.header.description, "Backup of RVT470D-X, Serial No.: 4321");
        ASSERT_EQ(package.items.size(), 2u);
        EXPECT_EQ(package.items[0].kind, kCdpSoftwareBlock);
        EXPECT_EQ(package.items[0].description, "Restoring software backup.");
        EXPECT_EQ(package.items[0].size, 262144u);
        EXPECT_EQ(package.items[1].kind, kCdpInformation);
        EXPECT_EQ(package.items[1].description, "The RVT-Software has been restored.");
        for (const CdpItem& item : package.items)
            EXPECT_EQ(item.mask, 0x8u);
    }
    EXPECT_EQ(std::vector<uint8_t>(file->begin() + 292, file->begin() + 308), std::vector<uint8_t>(16, 0));
}

TEST(Backup, NeedsAKnownType)
{
    std::string error;
    for (int type : {0, -1, 33}) {
        EXPECT_FALSE(BuildUpdateBackup(Image(128), type, 1, error)) << type;
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(BuildMatrixBackup(Image(128), type, "1", error)) << type;
    }
}

TEST(Backup, FileNames)
{
    EXPECT_EQ(WithCdpExtension("/b/old"), "/b/old.CDP");
    EXPECT_EQ(WithCdpExtension("/b/old.cdp"), "/b/old.cdp");
    EXPECT_EQ(WithCdpExtension("/b/old.CDP"), "/b/old.CDP");
    EXPECT_EQ(WithCdpExtension("/b/old.CD"), "/b/old.CD.CDP");

    const fs::path folder = fs::temp_directory_path() / ("qv-backup-" + std::to_string(std::random_device{}()));
    fs::create_directories(folder);
    std::string error;
    const auto written = WriteMatrixBackup((folder / "old").string(), Image(256), 5, "12345", error);
    ASSERT_TRUE(written) << error;
    EXPECT_EQ(*written, (folder / "old.CDP").string());
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(*written, bytes, error));
    EXPECT_EQ(bytes, *BuildMatrixBackup(Image(256), 5, "12345", error));

    // A failed write leaves the old file as it was.
    ASSERT_TRUE(WriteUpdateBackup((folder / "u.CDP").string(), Image(256), 5, 1, error));
    const auto old = *BuildUpdateBackup(Image(256), 5, 1, error);
    EXPECT_FALSE(WriteUpdateBackup((folder / "gone" / "u.CDP").string(), Image(256), 5, 2, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(WriteUpdateBackup((folder / "u.CDP").string(), Image(256), 0, 2, error));
    ASSERT_TRUE(ReadWholeFile((folder / "u.CDP").string(), bytes, error));
    EXPECT_EQ(bytes, old);
    fs::remove_all(folder);
}

} // namespace
} // namespace qv
