#include "firmware_results.h"

#include <cstdio>

namespace qv {

namespace {

constexpr const char* kRepowerText =
    "Please disconnect the instrument from the computer, then repower the instrument and try again.";

// The XSVF errors named in their messages.
const char* XsvfErrorName(int code)
{
    switch (code) {
    case XSVF_ERROR_TDOMISMATCH:
        return "XSVF_ERROR_TDOMISMATCH";
    case XSVF_ERROR_MAXRETRIES:
        return "XSVF_ERROR_MAXRETRIES";
    case XSVF_ERROR_ILLEGALCMD:
        return "XSVF_ERROR_ILLEGALCMD";
    case XSVF_ERROR_DATAOVERFLOW:
        return "XSVF_ERROR_DATAOVERFLOW";
    default:
        return nullptr;
    }
}

// The messages both kinds of FPGA job show alike.
std::optional<FirmwareMessage> SharedFpgaMessage(int code, const std::string& name)
{
    switch (code) {
    case XSVF_NOT_SUPPORTED:
        return FirmwareMessage{MessageKind::Warning, "The I/O firmware does not support JTAG upgrade.\rPlease "
                                                     "contact technical support.\r\rXSVF_NOT_SUPPORTED"};
    case XSVF_NOT_RUNMODE:
        return FirmwareMessage{MessageKind::Warning, "The I/O module is not in RUN-Mode.\rPlease contact technical "
                                                     "support.\r\rXSVF_NOT_RUNMODE"};
    case XSVF_FILE_NOT_FOUND:
        return FirmwareMessage{MessageKind::Error, "The file \"" + name +
                                                       "\" was not found.\rPlease specify another filename.\r\r"
                                                       "XSVF_FILE_NOT_FOUND"};
    case kTransferCanceled:
        return FirmwareMessage{MessageKind::Warning, kFpgaCanceledText};
    default:
        return std::nullopt;
    }
}

} // namespace

std::string HexByteText(uint8_t value)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

std::optional<FirmwareMessage> IoFirmwareMessage(int code, const std::string& name, uint8_t firstByte)
{
    switch (code) {
    case IOFW_LOAD_OK:
        return FirmwareMessage{MessageKind::Information, "The I/O Firmware was updated correctly."};
    case IOFW_LOAD_UNKNOWN:
        return FirmwareMessage{MessageKind::Error, "A unknown error was encountered while updating the I/O "
                                                   "Firmware.\r\r" + std::string(kRepowerText) +
                                                       "\r\rIOFW_LOAD_UNKNOWN"};
    case IOFW_LOAD_FILE_NOT_FOUND:
        return FirmwareMessage{MessageKind::Error,
                               "The file \"" + name + "\" was not found.\r\rIOFW_LOAD_FILE_NOT_FOUND"};
    case IOFW_NOT_BOOTMODE:
        return FirmwareMessage{MessageKind::Warning, "The I/O firmware is not in BOOT-Load Mode.\r\r" +
                                                         std::string(kRepowerText) + "\r\rIOFW_NOT_BOOTMODE"};
    case IOFW_FLASH_ERASE_ERROR:
        return FirmwareMessage{MessageKind::Warning,
                               "An error occoured while erasing the flash memory for the I/O firmware.\r\r" +
                                   std::string(kRepowerText) + "\r\rIOFW_FLASH_ERASE_ERROR"};
    case 261:
    case 262:
    case 263:
    case 264:
    case 515:
        return std::nullopt;
    default:
        return FirmwareMessage{MessageKind::Error, "An error was encountered while updating the I/O "
                                                   "Firmware.\r\rUnknown Result: 0x" +
                                                       HexByteText(firstByte) + "\r\r" + kRepowerText};
    }
}

std::optional<FirmwareMessage> MainboardFpgaMessage(int code, const std::string& name, uint8_t firstByte)
{
    if (auto shared = SharedFpgaMessage(code, name))
        return shared;
    if (const char* error = XsvfErrorName(code))
        return FirmwareMessage{MessageKind::Error,
                               "An error was encountered while updating the FPGA.\r\r" + std::string(error)};
    switch (code) {
    case XSVF_SUCCESS:
        return FirmwareMessage{MessageKind::Information, "The FPGA code was updated correctly."};
    case XSVF_ERROR_UNKNOWN:
        return FirmwareMessage{MessageKind::Error,
                               "A unknown error was encountered while updating the FPGA.\rXSVF_ERROR_UNKNOWN"};
    case XSVF_ERROR_LAST:
        return FirmwareMessage{MessageKind::Error, "XSVF_ERROR_LAST"};
    case kTransferStopped:
        return FirmwareMessage{MessageKind::Error, "The I/O module stopped answering while the FPGA was "
                                                   "updated.\r\r" + std::string(kRepowerText)};
    case kTransferOverrun:
        return FirmwareMessage{MessageKind::Error, "The I/O module asked for more than the image holds.\r\r" +
                                                       std::string(kRepowerText)};
    default:
        return FirmwareMessage{MessageKind::Error, "An error was encountered while updating the FPGA.\r\rUnknown "
                                                   "Result: 0x" + HexByteText(firstByte)};
    }
}

std::optional<FirmwareMessage> SlotFpgaMessage(int code, int slot, const std::string& name, uint8_t firstByte)
{
    if (auto shared = SharedFpgaMessage(code, name))
        return shared;
    const std::string inSlot = "in slot #" + std::to_string(slot) + ".";
    if (const char* error = XsvfErrorName(code))
        return FirmwareMessage{MessageKind::Error,
                               "An error was encountered while updating the FPGA " + inSlot + "\r\r" + error};
    switch (code) {
    case XSVF_SUCCESS:
    case XSVF_TRANSFER_COMPLETE:
        return std::nullopt;
    case XSVF_ERROR_UNKNOWN:
        return FirmwareMessage{MessageKind::Error, "A unknown error was encountered while updating the FPGA " +
                                                       inSlot + "\rXSVF_ERROR_UNKNOWN"};
    case kTransferStopped:
        return FirmwareMessage{MessageKind::Error, "The module in slot #" + std::to_string(slot) +
                                                       " stopped answering while its FPGA was updated.\r\r" +
                                                       kRepowerText};
    case kTransferOverrun:
        return FirmwareMessage{MessageKind::Error, "The module in slot #" + std::to_string(slot) +
                                                       " asked for more than its image holds.\r\r" + kRepowerText};
    default:
        return FirmwareMessage{MessageKind::Error, "An error was encountered while updating the FPGA " + inSlot +
                                                       "\r\rUnknown Result: 0x" + HexByteText(firstByte)};
    }
}

std::string LoaderFailedText(uint8_t firstByte)
{
    return "An error was encountered while updating the I/O Firmware.\r\rUnknown Result: 0x" +
           HexByteText(firstByte) + "\r\rPlease disconnect the USB cable and repower the instrument.";
}

} // namespace qv
