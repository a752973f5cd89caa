#include "scale/scale_library.h"

#include "platform/host/file_io.h"

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
    const FileRead file = ReadFileUpTo(path, kScaleLibrarySize);
    switch (file.status) {
    case FileRead::Status::NotFound:
    case FileRead::Status::CannotOpen:
        error = "Cannot open file " + path + ": " + file.error;
        return false;
    case FileRead::Status::CannotRead:
        error = "Cannot read file " + path + ": " + file.error;
        return false;
    case FileRead::Status::TooLarge:
    case FileRead::Status::Ok:
        break;
    }
    ScaleLibrary loaded;
    if (!ScaleLibraryFromBytes(file.bytes, loaded)) {
        error = InvalidScaleLibraryMessage(path);
        return false;
    }
    library = loaded;
    return true;
}

bool SaveScaleLibrary(const std::string& path, const ScaleLibrary& library, std::string& error)
{
    return WriteScaleFile(path, ScaleLibraryBytes(library), error);
}

bool WriteScaleFile(const std::string& path, std::span<const uint8_t> bytes, std::string& error)
{
    FileWriteStep failedAt = FileWriteStep::Write;
    std::string reason;
    if (WriteFileAtomically(path, bytes, reason, &failedAt))
        return true;
    error = (failedAt == FileWriteStep::Create ? "Cannot create file " : "Cannot write file ") + path + ": " + reason;
    return false;
}

} // namespace qv
