// The I/O module's own firmware: Intel HEX lines through its boot loader.
#include "firmware_codec.h"
#include "firmware_programmer.h"
#include "resource_lines.h"
#include "platform/host/text_case.h"

#include <cctype>

namespace qv {

namespace {

bool IsLoaderSource(const std::string& source)
{
    return Upper(source) == "MCU/FPGA";
}

} // namespace

int FirmwareProgrammer::InstallIoFirmware(const std::string& source, FirmwareDisplay display)
{
    io_.SetIoMode(true);
    const bool loader = IsLoaderSource(source);
    const std::vector<std::string> lines = loader ? LoadResourceLines("FPGA_PRG") : ReadHexFileLines(source);
    if (lines.empty())
        return IOFW_LOAD_FILE_NOT_FOUND;
    int result = DownloadIoHex(lines, display);
    if (result != IOFW_LOAD_OK)
        return result;
    result = RestartAndReconnect(display);
    if (result == IOFW_LOAD_OK && loader && fw::NeedsLoaderSecondStage(io_.ReadLoaderRegister()))
        result = DownloadStage("FPGA_PRG14", display);
    display.show("Done.");
    if (display.bars.item)
        display.bars.item->setPosition(0);
    return result;
}

int FirmwareProgrammer::DownloadStage(const char* item, FirmwareDisplay display)
{
    const std::vector<std::string> lines = LoadResourceLines(item);
    if (lines.empty())
        return IOFW_LOAD_OK;
    const int result = DownloadIoHex(lines, display);
    return result == IOFW_LOAD_OK ? RestartAndReconnect(display) : result;
}

int FirmwareProgrammer::RestartAndReconnect(FirmwareDisplay display)
{
    display.show("Please wait while the I/O Module restarts.");
    io_.WaitIoRestart(display.bars.item);
    display.show("Reconnecting to I/O Module.");
    // A module that does not come back has not taken its firmware.
    return io_.DetectIoInterface(true) == IOSTAT_OK ? IOFW_LOAD_OK : IOFW_LOAD_UNKNOWN;
}

int FirmwareProgrammer::DownloadIoHex(const std::vector<std::string>& lines, FirmwareDisplay display)
{
    Progress* bar = display.bars.item;
    display.startBar(kEraseBarMaximum);
    // Nothing is sent to flash that was not erased.
    if (io_.EraseIoFlash(display.status, bar) != kIoFlashErased)
        return IOFW_FLASH_ERASE_ERROR;
    if (bar) {
        bar->setMaximum(kEraseBarMaximum);
        bar->setPosition(kEraseBarMaximum);
    }
    display.show("Flash Erased...");
    Pause(kAfterErasePauseMs);
    display.show("Enabling Download Mode...");

    channel_.rxMode = RxMode::AtLines;
    channel_.ClearRx();
    channel_.port().write(fw::kProgram);
    if (!channel_.WaitBytes(kDownloadModePolls, 2))
        return IOFW_NOT_BOOTMODE;
    if (!channel_.WaitReplyLine() || at::ClassifyModeReply(channel_.accumulator) == ATCMD_WRONG)
        return IOFW_FLASH_ERASE_ERROR;

    channel_.ClearRx();
    display.show("Downloading I/O Firmware...");
    display.startBar(int64_t(lines.size()));
    for (const std::string& line : lines) {
        channel_.host().pump.pump();
        // The module's only answer during the download is a complaint.
        if (!channel_.accumulator.empty())
            break;
        if (!channel_.port().write(line))
            return IOFW_LOAD_UNKNOWN;
        AdvanceBars(display.bars, 1, int64_t(line.size()));
    }
    Pause(kComplaintWaitMs);
    if (bar)
        bar->setText("");

    if (!channel_.accumulator.empty()) {
        channel_.WaitReplyLine();
        const std::string reply = channel_.accumulator;
        const int code = fw::ClassifyHexReply(reply);
        channel_.host().prompter.error(fw::HexReplyText(code) + reply);
        return code;
    }
    const int restarted = io_.RestartIoModule(false);
    if (const std::string text = AtResultText(restarted); !text.empty())
        display.show(restarted == ATCMD_OK ? "I/O Firmware Update Complete." : text);
    // A module that stopped answering did not take the firmware.
    return restarted == ATCMD_TIMEOUT ? IOFW_LOAD_UNKNOWN : IOFW_LOAD_OK;
}

} // namespace qv
