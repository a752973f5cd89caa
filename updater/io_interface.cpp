// Command mode, the status and Ethernet records, and detection.
#include "io_interface.h"

#include "link/identity_tables.h"

namespace qv {

bool IoInterface::Send(std::string_view bytes)
{
    channel_.ClearRx();
    return channel_.port().write(bytes);
}

bool IoInterface::CommandOk(std::string_view command)
{
    SetIoMode(true);
    Send(command);
    return channel_.WaitOk();
}

int IoInterface::SetIoMode(bool command)
{
    // This type's link has no I/O module to switch.
    if (identity_.type == kInstrumentTypeWithoutModeSwitch)
        return 0;
    channel_.rxMode = RxMode::AtLines;
    Send(command ? at::kCommandMode : at::kTransparentMode);
    if (!channel_.WaitReplyLine())
        return ATCMD_TIMEOUT;
    const int result = at::ClassifyModeReply(channel_.accumulator);
    if (!command && result != ATCMD_WRONG)
        channel_.rxMode = RxMode::Binary;
    return result;
}

bool IoInterface::ReadStatusLine(std::string& line)
{
    Send(at::kStatus);
    if (!channel_.WaitReplyLine())
        return false;
    line = channel_.accumulator;
    return true;
}

void IoInterface::ApplyStatus()
{
    identity_.serial = status.serial;
    identity_.boardCode = status.boardCode;
    identity_.type = TypeFromSerial(identity_.serial, identity_.boardCode, identity_.vp30Switch);
    identity_.typeName = TypeName(Program::Update, identity_.type);
}

int IoInterface::ReadIoStatus()
{
    std::string first;
    std::string second;
    if (!ReadStatusLine(first) || !ReadStatusLine(second))
        return IOSTAT_ERROR_TIMEOUT;
    if (first != second)
        return IOSTAT_ERROR_MISMATCH;
    const int result = at::DecodeIoStatus(second, status);
    if (result == IOSTAT_ERROR_DATACOUNT)
        return result;
    // A wrong checksum still leaves the fields, the version and the flash identity read.
    ApplyStatus();

    Send(at::kVersion);
    if (channel_.WaitReplyLine())
        versionText = channel_.accumulator.substr(0, kVersionTextLength);

    // Right after a restart the flash may not answer yet.
    channel_.Attempt(kFlashIdentityAttempts, 0, [this] {
        ReadFlashIdentity();
        return flash.manufacturer != 0;
    });
    return result;
}

int IoInterface::ReadIoEthernet()
{
    Send(at::kEthernet);
    if (!channel_.WaitReplyLine())
        return IOSTAT_ERROR_TIMEOUT;
    return at::DecodeIoEthernet(channel_.accumulator, ethernet);
}

bool IoInterface::ReadFlashIdentity()
{
    Send(at::kFlashIdentity);
    if (spiDisabled)
        return at::DecodeFlashIdentity({}, flash, spiMode);
    channel_.WaitBytes(kFlashIdentityPolls, 3);
    return at::DecodeFlashIdentity(channel_.accumulator, flash, spiMode);
}

int IoInterface::DetectIoInterface(bool stayInCommandMode)
{
    SerialPort& port = channel_.port();
    if (!port.isOpen() && !port.open(port.portName()))
        return ATCMD_TIMEOUT;
    int result = SetIoMode(true);
    if (result != ATCMD_OK)
        return result;

    channel_.ClearRx();
    result = ReadIoStatus();
    // A module that has just started may not have read the mainboard yet.
    for (int reread = 0; reread < kStatusRereads && (at::BoardCodeBlank(status.boardCode) || result != IOSTAT_OK);
         ++reread) {
        result = ReadIoStatus();
        channel_.host().clock.sleepMs(kStatusRereadPauseMs);
    }
    channel_.ClearRx();
    if (result != IOSTAT_OK)
        return result;
    ReadIoEthernet();
    if (stayInCommandMode)
        return result;

    Send(at::kTransparentMode);
    if (!channel_.WaitReplyLine())
        return ATCMD_TIMEOUT;
    if (at::IsUnsupportedMeter(status.productCode))
        return IOSTAT_UNSUPPORTED_METER;
    if (channel_.accumulator != "OK")
        return ATCMD_WRONG;
    return result;
}

} // namespace qv
