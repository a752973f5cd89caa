#include "flash_mirror.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace qv {

bool FlashMirror::open(const std::string& path)
{
    close();
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size != uintmax_t(kRecords) * kRecordSize) {
        std::ofstream create(path, std::ios::binary | std::ios::trunc);
        const std::vector<char> blank(size_t(kRecords) * kRecordSize, char(0xFF));
        if (!create.write(blank.data(), std::streamsize(blank.size())))
            return false;
    }
    file_.open(path, std::ios::binary | std::ios::in | std::ios::out);
    return file_.is_open();
}

void FlashMirror::close()
{
    if (file_.is_open())
        file_.close();
}

bool FlashMirror::same(uint32_t record, const uint8_t* block)
{
    if (!file_.is_open() || record >= uint32_t(kRecords))
        return false;
    char stored[kRecordSize];
    file_.seekg(std::streamoff(record) * kRecordSize);
    const bool equal = file_.read(stored, kRecordSize) &&
                       std::equal(block, block + kRecordSize, reinterpret_cast<const uint8_t*>(stored));
    file_.clear();
    return equal;
}

void FlashMirror::store(uint32_t record, const uint8_t* block)
{
    if (!file_.is_open() || record >= uint32_t(kRecords))
        return;
    file_.seekp(std::streamoff(record) * kRecordSize);
    file_.write(reinterpret_cast<const char*>(block), kRecordSize);
    file_.flush();
    file_.clear();
}

} // namespace qv
