#include "io_firmware_image.h"

#include <zlib.h>

#include <algorithm>

namespace qv::sim {

namespace {

constexpr uint8_t kMagic[] = {'Q', 'V', 'I', 'O'};
constexpr size_t kLengthAt = 8;
constexpr size_t kCrcAt = 12;
constexpr size_t kNameAt = 16;
static_assert(kNameAt + kIoFirmwareNameLength == kIoFirmwareHeaderSize);

void putWord(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes[at + i] = uint8_t(value >> (24 - 8 * i));
}

uint32_t getWord(std::span<const uint8_t> bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = value << 8 | bytes[at + i];
    return value;
}

uint32_t crcOf(std::span<const uint8_t> bytes)
{
    return uint32_t(crc32(crc32(0, nullptr, 0), bytes.data(), uInt(bytes.size())));
}

} // namespace

std::vector<uint8_t> ioFirmwareImage(const IoFirmwareHeader& header, std::span<const uint8_t> code)
{
    std::vector<uint8_t> image(kIoFirmwareHeaderSize, 0);
    std::copy(std::begin(kMagic), std::end(kMagic), image.begin());
    image[4] = header.runId;
    image[5] = header.runMajor;
    image[6] = header.runMinor;
    image[7] = header.loaderRegister;
    putWord(image, kLengthAt, uint32_t(code.size()));
    putWord(image, kCrcAt, crcOf(code));
    const size_t nameLength = std::min(header.name.size(), kIoFirmwareNameLength);
    std::copy_n(header.name.begin(), nameLength, image.begin() + kNameAt);
    image.insert(image.end(), code.begin(), code.end());
    return image;
}

IoFirmwareCheck checkIoFirmware(std::span<const uint8_t> application, IoFirmwareHeader& header)
{
    if (application.size() < kIoFirmwareHeaderSize || !std::equal(std::begin(kMagic), std::end(kMagic), application.begin()))
        return IoFirmwareCheck::NoHeader;
    const uint32_t length = getWord(application, kLengthAt);
    if (length > application.size() - kIoFirmwareHeaderSize ||
        getWord(application, kCrcAt) != crcOf(application.subspan(kIoFirmwareHeaderSize, length)))
        return IoFirmwareCheck::BadCrc;
    header.runId = application[4];
    header.runMajor = application[5];
    header.runMinor = application[6];
    header.loaderRegister = application[7];
    const auto name = application.subspan(kNameAt, kIoFirmwareNameLength);
    header.name.assign(name.begin(), std::find(name.begin(), name.end(), uint8_t(0)));
    return IoFirmwareCheck::Valid;
}

} // namespace qv::sim
