// Restarts of the I/O module and of the instrument behind it.
#include "io_interface.h"

#include "link/update_link.h"

namespace qv {

int IoInterface::RestartIoModule(bool bootLoader)
{
    Send(bootLoader ? at::kRunBootLoader : at::kRunCode);
    if (!channel_.WaitReplyLine())
        return ATCMD_TIMEOUT;
    if (channel_.accumulator != "OK")
        return ATCMD_WRONG;
    channel_.port().write(at::kRestartByte);
    // The module restarts; DetectIoInterface opens the port again.
    channel_.port().close();
    return ATCMD_OK;
}

void IoInterface::WaitIoRestart(Progress* progressBar)
{
    if (progressBar) {
        progressBar->setMaximum(kRestartPolls);
        progressBar->setPosition(0);
    }
    for (int poll = 0; poll < kRestartPolls && !channel_.stop; ++poll) {
        if (progressBar)
            progressBar->advance(1);
        channel_.Poll();
    }
}

bool IoInterface::RestartInstrument(Progress* progressBar, StatusPanel* statusPanel, StatusPanel* percentPanel)
{
    auto show = [&](int position, const char* percent) {
        if (progressBar)
            progressBar->setPosition(position);
        if (percentPanel)
            percentPanel->setText(percent);
    };
    if (statusPanel)
        statusPanel->setText("Restarting Instrument - Please Wait...");
    SetKeyDown(false); // a restart with the key line held would enter BIOS mode
    if (progressBar)
        progressBar->setMaximum(2);
    show(0, "0%");
    SetIoMode(false);
    show(1, "50%");
    // Without a module the switch above goes unanswered and leaves the line mode.
    channel_.rxMode = RxMode::Binary;
    const bool restarted = UpdateLink(channel_).Restart();
    show(2, "100 %");
    if (statusPanel)
        statusPanel->setText("Done.");
    return restarted;
}

bool IoInterface::EnterBiosMode()
{
    // The key line held down while the FPGA reloads starts the BIOS.
    if (!SetKeyDown(true))
        return false;
    Send(at::kReloadFpga);
    return channel_.WaitOk();
}

int IoInterface::EraseIoFlash(StatusPanel* statusPanel, Progress* progressBar)
{
    if (statusPanel)
        statusPanel->setText("Executing I/O Bootloader...");
    if (status.systemMode != at::kSystemModeBootLoad && RestartIoModule(true) == ATCMD_OK) {
        WaitIoRestart(progressBar);
        const int reconnected = DetectIoInterface(true);
        channel_.host().clock.sleepMs(kEraseReconnectPauseMs);
        if (reconnected != IOSTAT_OK)
            return reconnected;
    }
    if (statusPanel)
        statusPanel->setText("Erasing I/O flash...");
    Send(at::kErase);
    if (!channel_.WaitReplyLine())
        return kIoFlashEraseNoReply;
    return at::IsEraseAcknowledged(channel_.accumulator) ? kIoFlashErased : kIoFlashEraseWrongReply;
}

} // namespace qv
