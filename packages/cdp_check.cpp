#include "cdp_check.h"

#include "cdp_format.h"
#include "crc32.h"
#include "platform/host/prompter.h"

#include <array>
#include <cstdio>

namespace qv {

std::string CdpCrcErrorText(uint32_t storedCrc)
{
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08X", unsigned(storedCrc));
    return std::string("CRC Error.\rThe file is corrupted. (CRC: ") + hex + ")\rTry to download the file again.";
}

bool IsCdpVersionAccepted(Program program, std::string_view version)
{
    if (program == Program::Matrix)
        return version == "0001";
    return version == "0001" || version == "0002" || version == "0003" || version == "0004";
}

namespace {

bool VersionFieldAccepted(Program program, std::span<const uint8_t> file)
{
    for (std::string_view v : {"0001", "0002", "0003", "0004"})
        if (IsCdpVersionAccepted(program, v) && ShortStringEquals(file, kCdpVersionOffset, kCdpCodeCapacity, v))
            return true;
    return false;
}

// The CRC of the file as if its CRC field were 0, without copying the file.
uint32_t CrcWithFieldZero(std::span<const uint8_t> file)
{
    const std::array<uint8_t, 4> zero{};
    uint32_t crc = CRC32(file.first(kCdpCrcOffset));
    crc = CRC32Continue(crc, zero);
    return CRC32Continue(crc, file.subspan(kCdpCrcOffset + zero.size()));
}

CdpCheck Rejected(CdpCheck check, std::string_view message)
{
    check.valid = false;
    check.message = std::string(message);
    return check;
}

} // namespace

CdpCheck VerifyFileHeader(Program program, std::span<const uint8_t> file)
{
    CdpCheck check;
    // A file too short for its header holds neither magic nor version.
    if (file.size() < kCdpHeaderSize || !ShortStringEquals(file, kCdpMagicOffset, kCdpCodeCapacity, kCdpMagic))
        return Rejected(check, kCdpNotValidText);
    if (!VersionFieldAccepted(program, file))
        return Rejected(check, program == Program::Update ? kCdpVersionNotSupportedText : kCdpNotValidText);

    check.storedCrc = GetLe32(file, kCdpCrcOffset);
    check.computedCrc = CrcWithFieldZero(file);
    if (check.storedCrc != check.computedCrc)
        return Rejected(check, CdpCrcErrorText(check.storedCrc));

    // A sound CRC does not make sound offsets: a faulty writer could have
    // summed a table that points outside the file.
    auto package = ReadCdp(file);
    if (!package)
        return Rejected(check, kCdpNotValidText);
    check.valid = true;
    check.package = std::move(*package);
    return check;
}

CdpCheck VerifyFileHeader(Program program, std::span<const uint8_t> file, Prompter& prompter)
{
    CdpCheck check = VerifyFileHeader(program, file);
    if (!check.valid)
        prompter.error(check.message);
    return check;
}

} // namespace qv
