#include "scale/scale_library.h"

#include "scale/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace qv {

std::vector<uint8_t> ScaleLibraryBytes(const ScaleLibrary& library)
{
    std::vector<uint8_t> bytes(kScaleLibrarySize);
    for (size_t i = 0; i < kScaleCount; ++i)
        WriteScaleRecord(library.scales[i], std::span<uint8_t, kScaleRecordSize>(bytes.data() + i * kScaleRecordSize,
                                                                                  kScaleRecordSize));
    return bytes;
}

bool ScaleLibraryFromBytes(std::span<const uint8_t> bytes, ScaleLibrary& library)
{
    if (bytes.size() != kScaleLibrarySize)
        return false;
    for (size_t i = 0; i < kScaleCount; ++i)
        library.scales[i] = ReadScaleRecord(bytes.subspan(i * kScaleRecordSize).first<kScaleRecordSize>());
    return true;
}

std::string InvalidScaleLibraryMessage(const std::string& path)
{
    return "The file " + path + " is NOT a valid Scale Library";
}

bool LoadScaleLibrary(const std::string& path, ScaleLibrary& library, std::string& error)
{
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        error = "Cannot open file " + path + ": " + std::strerror(errno);
        return false;
    }
    // One byte more than a library tells a longer file from an exact one.
    std::vector<uint8_t> bytes(kScaleLibrarySize + 1);
    errno = 0;
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    if (std::ferror(file.get())) {
        error = "Cannot read file " + path + ": " + std::strerror(errno ? errno : EIO);
        return false;
    }
    bytes.resize(got);
    ScaleLibrary loaded;
    if (!ScaleLibraryFromBytes(bytes, loaded)) {
        error = InvalidScaleLibraryMessage(path);
        return false;
    }
    library = loaded;
    return true;
}

bool SaveScaleLibrary(const std::string& path, const ScaleLibrary& library, std::string& error)
{
    return WriteFileAtomically(path, ScaleLibraryBytes(library), error);
}

} // namespace qv
