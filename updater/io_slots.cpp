// The expansion slots, reached through the SPI UART while the module is transparent.
#include "io_interface.h"

namespace qv {

uint8_t IoInterface::QueryModuleByte(char letter)
{
    SetIoMode(false);
    channel_.rxMode = RxMode::AtLines;
    Send(std::string(1, letter));
    channel_.WaitBytes(kModuleQueryPolls, 2);
    return at::DecodeModuleByte(channel_.accumulator, letter);
}

uint8_t IoInterface::ReadModuleFirmware(int slotIndex)
{
    SetIoMode(false);
    channel_.rxMode = RxMode::Raw;
    Send(at::FirmwareQuery(slotIndex));
    channel_.WaitBytes(kModuleQueryPolls, 5);
    return at::DecodeModuleFirmware(channel_.accumulator);
}

uint8_t IoInterface::RunSlotQuery(SlotQuery query, int slotIndex)
{
    switch (query) {
    case SlotQuery::ModuleId:
        return QueryModuleByte('c');
    case SlotQuery::SoftwareVersion:
        return QueryModuleByte('e');
    case SlotQuery::Temperature:
        return QueryModuleByte('j');
    case SlotQuery::FirmwareVersion:
        return ReadModuleFirmware(slotIndex);
    }
    return 0;
}

uint8_t& IoInterface::SlotField(SlotInfo& slot, SlotQuery query)
{
    switch (query) {
    case SlotQuery::ModuleId:
        return slot.moduleId;
    case SlotQuery::SoftwareVersion:
        return slot.softwareVersion;
    case SlotQuery::Temperature:
        return slot.temperature;
    case SlotQuery::FirmwareVersion:
        break;
    }
    return slot.firmwareVersion;
}

void IoInterface::ScanSlots(SlotQuery query)
{
    // Without a port every step would wait for its full time: end quietly.
    if (!channel_.port().isOpen())
        return;
    SetIoMode(true);
    SetModuleLinkSpeed(true);
    for (int index = 0; index < kSlots && channel_.port().isOpen(); ++index) {
        SetIoMode(true);
        uint8_t value = 255;
        if (SetSpiUartDestination(uint8_t(index + 1))) {
            // Let the routed channel settle.
            for (int poll = 0; poll < kSlotSettlePolls; ++poll)
                channel_.Poll();
            channel_.ClearRx();
            value = RunSlotQuery(query, index);
        }
        SlotField(slotInfo[size_t(index)], query) = value;
    }
    SetIoMode(true);
    SetSpiUartDestination(at::kDspDestination);
    SetModuleLinkSpeed(false);
}

std::array<uint8_t, IoInterface::kSlots> IoInterface::ReadModuleIds()
{
    ScanSlots(SlotQuery::ModuleId);
    std::array<uint8_t, kSlots> ids{};
    for (size_t i = 0; i < ids.size(); ++i)
        ids[i] = slotInfo[i].moduleId;
    return ids;
}

} // namespace qv
