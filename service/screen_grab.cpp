#include "screen_grab.h"

#include "link/matrix_transfer.h"
#include "link/wire_protocol.h"
#include "matrix/dot_commands.h"
#include "platform/host/file_io.h"
#include "platform/host/prompter.h"
#include "platform/host/text_case.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace qv {

namespace {

constexpr char kEscape = '\x1B';

} // namespace

std::string CannotCreateText(const std::string& path, const std::string& reason)
{
    return "Cannot create file \"" + path + "\". " + reason;
}

ScreenGrab::ScreenGrab(ScreenGrabView& view, Prompter& prompter, TransferWindow transferWindow)
    : view_(view), prompter_(prompter), transferWindow_(std::move(transferWindow))
{
}

void ScreenGrab::UploadSelection(const LcdRect& rect)
{
    const std::optional<UploadPlan> plan = PlanUpload(rect, source_.stride);
    if (!plan) {
        prompter_.error(kOffScreenText);
        return;
    }
    selectionMode_ = true;
    buffer_.fill(0);
    view_.setFormEnabled(false);
    MatrixTransfer* transfer = transferWindow_();
    if (!transfer || !transfer->ConnectInstrument(true)) {
        view_.setFormEnabled(true);
        return;
    }
    TransferView& progress = transfer->view();
    // The boot loader serves no memory: its reads would be retried for ever.
    if (transfer->link().record().biosMode) {
        progress.hideWindow();
        prompter_.error(kBiosModeText);
        view_.setFormEnabled(true);
        return;
    }
    view_.setStatus("Uploading...");
    progress.setTextLine(kProgressText);
    progress.secondBar().setMaximum(int64_t(plan->reads.size()));
    progress.secondBar().setPosition(0);
    progress.showSecondBar(true);
    transfer->cancel = false;
    transfer->mode = TransferMode::Upload;
    const bool portKept = ReadColumns(*transfer, plan->reads);
    transfer->mode = TransferMode::Idle;
    progress.hideWindow();
    progress.showSecondBar(false);

    if (transfer->cancel || !portKept) {
        view_.setStatus(portKept ? "Upload terminated by the user..." : "Upload terminated...");
        view_.clearOffset();
        const std::string gone = transfer->channel().port().errorText();
        prompter_.error(portKept || gone.empty() ? "Upload is terminated..." : "Upload is terminated...\r\r" + gone);
        view_.showCapture(false);
        view_.setFormEnabled(true);
        return;
    }
    view_.showCapture(false);
    view_.setFormEnabled(true);
    view_.setStatus("Upload complete...");
    prompter_.information("Upload complete... The image is placed in the clipboard.");
}

bool ScreenGrab::ReadColumns(MatrixTransfer& transfer, const std::vector<ColumnRead>& reads)
{
    for (const ColumnRead& read : reads) {
        const bool ok =
            transfer.ReadMemory(wire::kCmdReadBlock, source_.base + read.offset, buffer_.data() + read.offset, read.blocks);
        transfer.view().secondBar().advance(1);
        if (!ok || transfer.cancel)
            break;
    }
    return transfer.channel().port().isOpen();
}

void ScreenGrab::OpenRamData()
{
    const auto path = prompter_.openFile("Open RAM-Data", kRamDataFilter, {});
    if (!path)
        return;
    std::string error;
    if (!ReadVideoFile(*path, buffer_, error)) {
        prompter_.error("Cannot open file \"" + *path + "\". " + error);
        return;
    }
    // Events run while it is decoded; nothing may start on the buffer meanwhile.
    view_.setFormEnabled(false);
    view_.showCapture(true);
    view_.setFormEnabled(true);
}

std::optional<std::string> ScreenGrab::ChooseSaveName(const std::string& caption, const std::string& filter,
                                                      const std::vector<std::string>& extensions, std::string& name)
{
    const auto typed = prompter_.saveFile(caption, filter, name);
    if (!typed)
        return std::nullopt;
    std::string path = *typed;
    if (std::none_of(extensions.begin(), extensions.end(),
                     [&](const std::string& extension) { return EndsWithNoCase(path, extension); })) {
        // The extension of the chosen type; with "All Files", the first.
        const size_t picked = size_t(prompter_.lastFilterIndex() - 1);
        path += picked < extensions.size() ? extensions[picked] : extensions.front();
    }
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        !prompter_.confirm("The file " + path + " allready exists.\r\rDo you wish to replace it?", Answer::No)) {
        name.clear();
        return std::nullopt;
    }
    name = path;
    return path;
}

void ScreenGrab::SaveRamDataAs()
{
    const auto path = ChooseSaveName("Save RAM-Data As", kRamDataFilter, {".COD"}, ramDataName_);
    if (!path)
        return;
    std::string error;
    if (!WriteFileAtomically(*path, buffer_, error)) {
        prompter_.error(CannotCreateText(*path, error));
        return;
    }
    view_.setFileName(*path);
}

std::optional<std::string> ScreenGrab::ChooseBitmapName(bool& png)
{
    const auto path = ChooseSaveName("Save Bitmap As", kBitmapFilter, {".BMP", ".PNG"}, bitmapName_);
    png = path && EndsWithNoCase(*path, ".PNG");
    return path;
}

void ScreenGrab::Send(const std::string& bytes, bool clearFirst)
{
    MatrixTransfer* transfer = transferWindow_();
    if (!transfer)
        return;
    MatrixChannel& channel = transfer->channel();
    if (clearFirst)
        channel.ClearInput();
    if (!channel.port().write(bytes)) {
        const std::string why = channel.port().errorText();
        prompter_.error(why.empty() ? "Unable to open " + channel.init().portName : why);
    }
    // The instrument reads these as text: it is no longer waiting for a command.
    transfer->link().lastResult = false;
}

void ScreenGrab::Freeze()
{
    Send({kEscape, 'q'}, false);
}

void ScreenGrab::Reset()
{
    Send({kEscape, 'r'}, false);
}

void ScreenGrab::DotFreeze()
{
    Send(kDotFreezeScreen, true);
}

void ScreenGrab::DotUnFreeze()
{
    Send(kDotUnfreezeScreen, true);
}

} // namespace qv
