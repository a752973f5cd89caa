#include "backup_writer.h"

#include "cdp_format.h"
#include "cdp_writer.h"
#include "link/identity_tables.h"
#include "platform/host/file_io.h"
#include "platform/host/text_case.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace qv {

namespace {

// QV-Update's layout: two item headers after a table with room for four
// entries, the image after the second header, all in a buffer of '0's.
constexpr size_t kUpdateItem1 = kCdpFirstItemOffset;                // 308
constexpr size_t kUpdateItem2 = kUpdateItem1 + kCdpItemHeaderSize;  // 580
constexpr size_t kUpdateImage = kUpdateItem2 + kCdpItemHeaderSize;  // 852
constexpr size_t kUpdateMinimumSize = 2048;
constexpr uint8_t kUpdateFill = '0';

constexpr int kLargestMaskType = 32;

std::optional<uint32_t> BackupMask(int type, std::string& error)
{
    if (type < 1 || type > kLargestMaskType) {
        error = "a backup needs the instrument's type; type " + std::to_string(type) + " names none";
        return std::nullopt;
    }
    return uint32_t(1) << (type - 1);
}

bool FitsOffsets(size_t bytes, std::string& error)
{
    if (bytes > UINT32_MAX - kUpdateImage - kCdpItemHeaderSize) {
        error = "the software is too large for a package";
        return false;
    }
    return true;
}

} // namespace

std::optional<std::vector<uint8_t>> BuildUpdateBackup(std::span<const uint8_t> image, int type, int serial,
                                                      std::string& error)
{
    const auto mask = BackupMask(type, error);
    if (!mask || !FitsOffsets(image.size(), error))
        return std::nullopt;
    std::vector<uint8_t> file(std::max(kUpdateMinimumSize, kUpdateImage + image.size()), kUpdateFill);
    PutCdpHeader(file, "0004",
                 "Backup of " + TypeName(Program::Update, type) + ", Serial No.: " + std::to_string(serial), 2);
    PutCdpItemHeader(file, kUpdateItem1, *mask, kCdpBiosMode, 0, 0, "Restarting instrument in BIOS mode.");
    PutCdpTableEntry(file, 0, kUpdateItem1);
    PutCdpItemHeader(file, kUpdateItem2, *mask, kCdpSoftwareBlock, uint32_t(image.size()), 0,
                     "Restoring DSP-Software backup.");
    std::copy(image.begin(), image.end(), file.begin() + std::ptrdiff_t(kUpdateImage));
    PutCdpTableEntry(file, 1, kUpdateItem2);
    PatchCdpCrc(file);
    return file;
}

bool WriteUpdateBackup(const std::string& path, std::span<const uint8_t> image, int type, int serial,
                       std::string& error)
{
    const auto file = BuildUpdateBackup(image, type, serial, error);
    return file && WriteFileAtomically(path, *file, error);
}

std::optional<std::vector<uint8_t>> BuildMatrixBackup(std::span<const uint8_t> program, int type,
                                                      const std::string& serialText, std::string& error)
{
    const auto mask = BackupMask(type, error);
    if (!mask || !FitsOffsets(program.size(), error))
        return std::nullopt;
    const size_t item1 = kCdpFirstItemOffset;
    const size_t data = item1 + kCdpItemHeaderSize;
    const size_t item2 = data + program.size();
    std::vector<uint8_t> file(item2 + kCdpItemHeaderSize, 0);
    PutCdpHeader(file, "0001", "Backup of " + TypeName(Program::Matrix, type) + ", Serial No.: " + serialText, 2);
    PutCdpTableEntry(file, 0, uint32_t(item1));
    PutCdpItemHeader(file, uint32_t(item1), *mask, kCdpSoftwareBlock, uint32_t(program.size()), 0,
                     "Restoring software backup.");
    std::copy(program.begin(), program.end(), file.begin() + std::ptrdiff_t(data));
    PutCdpTableEntry(file, 1, uint32_t(item2));
    PutCdpItemHeader(file, uint32_t(item2), *mask, kCdpInformation, 0, 0, "The RVT-Software has been restored.");
    PatchCdpCrc(file);
    return file;
}

std::string WithCdpExtension(const std::string& name)
{
    return EndsWithNoCase(name, ".CDP") ? name : name + ".CDP";
}

std::optional<std::string> WriteMatrixBackup(const std::string& name, std::span<const uint8_t> program, int type,
                                             const std::string& serialText, std::string& error)
{
    const auto file = BuildMatrixBackup(program, type, serialText, error);
    const std::string path = WithCdpExtension(name);
    if (!file || !WriteFileAtomically(path, *file, error))
        return std::nullopt;
    return path;
}

} // namespace qv
