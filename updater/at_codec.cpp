#include "at_codec.h"

#include "io_results.h"
#include "link/wire_protocol.h"
#include "platform/host/text_case.h"

#include <algorithm>
#include <cctype>

namespace qv::at {

namespace {

constexpr std::string_view kSpiUartDestination = "@ATSPIUartDest\r";
constexpr std::string_view kLoaderRegister = "@ATRDREG\r";
constexpr uint8_t kFirmwareQueryLetter = 0x67;
constexpr uint8_t kFirmwareQuerySlotBase = 0x60;
constexpr uint8_t kFlashIdentityEnd = 27; // ESC

// Positions of the records, 0-based; the checksum is the last byte.
constexpr size_t kStatusMinLength = 31;
constexpr size_t kEthernetMinLength = 21;
constexpr size_t kMainboardHeader = 3;
constexpr size_t kMainboardMaxData = 16;

const uint8_t* Bytes(std::string_view s)
{
    return reinterpret_cast<const uint8_t*>(s.data());
}

uint8_t At(std::string_view s, size_t i)
{
    return uint8_t(s[i]);
}

// The length byte must be the reply's length, and the fields must fit.
bool LengthMatches(std::string_view reply, size_t minLength)
{
    return reply.size() >= minLength && At(reply, 0) == reply.size();
}

bool ChecksumMatches(std::string_view record)
{
    return wire::Checksum55(Bytes(record), record.size() - 1) == At(record, record.size() - 1);
}

template <size_t N>
void CopyBytes(std::string_view reply, size_t from, std::array<uint8_t, N>& to)
{
    std::copy_n(Bytes(reply) + from, N, to.begin());
}

} // namespace

std::string SpiUartDestinationCommand(uint8_t destination)
{
    return std::string(kSpiUartDestination) + char(destination);
}

std::string LoaderRegisterCommand()
{
    return std::string(kLoaderRegister) + '\0';
}

std::string MainboardAddress(uint16_t address)
{
    return {char(address >> 8), char(address & 0xFF)};
}

std::string FirmwareQuery(int slotIndex)
{
    return {char(kFirmwareQueryLetter), char(kFirmwareQuerySlotBase + slotIndex), '\0', '\x01'};
}

int ClassifyModeReply(std::string_view reply)
{
    if (reply.find("Not OK") != std::string_view::npos)
        return ATCMD_WRONG;
    if (reply.find("OK") != std::string_view::npos)
        return ATCMD_OK;
    return 0;
}

bool IsEraseAcknowledged(std::string_view reply)
{
    return reply.ends_with("OK") && reply.find("Not OK") == std::string_view::npos;
}

int DecodeIoStatus(std::string_view reply, IoStatus& status)
{
    if (!LengthMatches(reply, kStatusMinLength))
        return IOSTAT_ERROR_DATACOUNT;
    status.systemMode = At(reply, 1);
    status.bootMajor = At(reply, 2);
    status.bootMinor = At(reply, 3);
    status.bootId = At(reply, 4);
    status.kept = At(reply, 5);
    status.interface = At(reply, 6);
    status.rs232Levels = At(reply, 7);
    status.boardCode = std::string(reply.substr(9, 3));
    status.runMajor = At(reply, 12);
    status.runMinor = At(reply, 13);
    status.runId = At(reply, 14);
    status.macText = std::string(reply.substr(15, 12));
    status.serial = wire::BigEndianWord(Bytes(reply) + 27);
    status.productCode = At(reply, 29);
    return ChecksumMatches(reply) ? IOSTAT_OK : IOSTAT_ERROR_CRC;
}

bool BoardCodeBlank(std::string_view boardCode)
{
    return boardCode.find('\xFF') != std::string_view::npos;
}

bool IsUnsupportedMeter(uint8_t productCode)
{
    return productCode > 0xD0;
}

int DecodeIoEthernet(std::string_view reply, IoEthernet& ethernet)
{
    if (Upper(reply) == "NOT OK")
        return IOSTAT_ERROR_TIMEOUT;
    if (!LengthMatches(reply, kEthernetMinLength))
        return IOSTAT_ERROR_DATACOUNT;
    ethernet.dhcp = At(reply, 1);
    CopyBytes(reply, 2, ethernet.ip);
    CopyBytes(reply, 6, ethernet.subnet);
    CopyBytes(reply, 10, ethernet.gateway);
    CopyBytes(reply, 14, ethernet.mac);
    ethernet.valid = ChecksumMatches(reply);
    return ethernet.valid ? IOSTAT_OK : IOSTAT_ERROR_CRC;
}

bool DecodeFlashIdentity(std::string_view reply, FlashIdentity& identity, int& spiMode)
{
    if (reply.size() < 3 || At(reply, 2) != kFlashIdentityEnd) {
        identity = FlashIdentity{255, 255};
        spiMode = kSpiNotSupportedByIo;
        return false;
    }
    identity = FlashIdentity{At(reply, 0), At(reply, 1)};
    const bool blank = identity.manufacturer == identity.device
        && (identity.manufacturer == 0xFF || identity.manufacturer == 0xF0 || identity.manufacturer == 0x00);
    spiMode = blank ? kSpiNotSupportedByFpga : kSpiUsable;
    return true;
}

bool DecodeMainboardBlock(std::string_view reply, std::array<uint8_t, 16>& data)
{
    if (reply.size() < kMainboardHeader)
        return false;
    const size_t count = At(reply, 1);
    // The checksum covers the count the module announced; all of it must be here.
    if (reply.size() < kMainboardHeader + count)
        return false;
    const std::string_view payload = reply.substr(kMainboardHeader, count);
    std::copy_n(Bytes(payload), std::min(count, kMainboardMaxData), data.begin());
    return wire::Checksum55(Bytes(payload), payload.size()) == At(reply, 2);
}

uint8_t DecodeModuleByte(std::string_view reply, char letter)
{
    const size_t at = reply.find(letter);
    if (reply.size() < 2 || at == std::string_view::npos || at + 1 >= reply.size())
        return 0;
    return At(reply, at + 1);
}

uint8_t DecodeModuleFirmware(std::string_view reply)
{
    return reply.size() >= 5 ? At(reply, 4) : 0;
}

std::string ModuleName(int code)
{
    switch (code) {
    case 0x00:
        return "No module detected";
    case 0xB0:
        return "8 Channel Analogue Input Module, 8-ANA";
    case 0xB1:
        return "4 Channel AES Input Module, 4-AES";
    case 0xC0:
        return "8 Channel Analogue Output Module, 8-ANA";
    case 0xC1:
        return "4 Channel AES Output Module, 4-AES";
    case 0xDD:
        return "Dolby-E Decoder Module";
    case 0xAD:
        return "Audio Delay Module";
    default:
        return "Unknown Module";
    }
}

} // namespace qv::at
