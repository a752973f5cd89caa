// The I/O module's plain commands and its binary reads.
#include "io_interface.h"

#include <algorithm>

namespace qv {

bool IoInterface::SetLinkSpeed(bool high)
{
    if (!CommandOk(high ? at::kHighSpeed : at::kLowSpeed))
        return false;
    // The rate changes only while the port is closed.
    SerialPort& port = channel_.port();
    const std::string name = port.portName();
    port.close();
    port.setBaudRate(high ? kHighBaud : kLowBaud);
    return port.open(name);
}

bool IoInterface::SetModuleLinkSpeed(bool high)
{
    return CommandOk(high ? at::kModuleHighSpeed : at::kModuleLowSpeed);
}

bool IoInterface::SetSpiUartDestination(uint8_t destination)
{
    return CommandOk(at::SpiUartDestinationCommand(destination));
}

bool IoInterface::SetKeyDown(bool down)
{
    return CommandOk(down ? at::kKeyDown : at::kKeyUp);
}

bool IoInterface::ReloadFpga()
{
    return CommandOk(at::kReloadFpga);
}

bool IoInterface::ResetEthernet()
{
    return CommandOk(at::kEthernetReset);
}

bool IoInterface::ReadMainboardBlock(uint16_t address, std::array<uint8_t, 16>& data)
{
    if (!CommandOk(at::kMainboardBlock))
        return false;
    Send(at::MainboardAddress(address));
    // Bounded: a module that stops answering must not hang the program.
    if (!channel_.WaitBytes(kMainboardBlockPolls, kMainboardReplyBytes))
        return false;
    return at::DecodeMainboardBlock(channel_.accumulator, data);
}

bool IoInterface::ReadEeInfo()
{
    std::array<uint8_t, 16> block{};
    if (!ReadMainboardBlock(kEeInfoBlock, block))
        return false;
    eeInfo = {block[0], block[4], block[5]};
    // An unprogrammed block reads as 0xFF.
    return std::none_of(block.begin(), block.begin() + 6, [](uint8_t b) { return b == 0xFF; });
}

int IoInterface::ReadLoaderRegister()
{
    SetIoMode(true);
    Send(at::LoaderRegisterCommand());
    if (!channel_.WaitBytes(kLoaderRegisterPolls, 1))
        return -1;
    return uint8_t(channel_.accumulator[0]);
}

} // namespace qv
