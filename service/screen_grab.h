#pragma once

#include "lcd_geometry.h"
#include "video_memory.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class MatrixTransfer;
class Prompter;

// What the screen grab window does for an upload or a file load.
class ScreenGrabView {
public:
    virtual ~ScreenGrabView() = default;
    virtual void setStatus(const std::string& text) = 0;
    virtual void clearOffset() = 0;
    virtual void setFormEnabled(bool enabled) = 0;
    // Decodes the video buffer and shows the picture; fromFile after a
    // ".COD" file was opened.
    virtual void showCapture(bool fromFile) = 0;
    // The status panel that names the file last saved.
    virtual void setFileName(const std::string& path) = 0;
};

// The screen grab: reads the LCD's video memory from the instrument, or a
// ".COD" file, into the video buffer; saves it; sends the display commands.
class ScreenGrab {
public:
    static constexpr char kRamDataFilter[] = "Video RAM Data (*.COD)|*.COD|All Files (*.*)|*.*";
    static constexpr char kBitmapFilter[] =
        "Windows Bitmap (*.BMP)|*.BMP|PNG Image (*.PNG)|*.PNG|All Files (*.*)|*.*";
    static constexpr char kProgressText[] = "Uploading LCD-Image.";
    static constexpr char kOffScreenText[] = "The selection must lie within the 640 x 480 pixels of the screen.";
    static constexpr char kBiosModeText[] = "The RVT is in BIOS-Mode.\r\rIts screen cannot be read.";

    // The transfer window of the chosen port; null when the interface is not
    // the serial port.
    using TransferWindow = std::function<MatrixTransfer*()>;

    ScreenGrab(ScreenGrabView& view, Prompter& prompter, TransferWindow transferWindow);

    const VideoBuffer& buffer() const { return buffer_; }
    // The screen the buffer was read from; a file is taken as the same.
    ScreenSource source() const { return source_; }
    void setSource(ScreenSource source) { source_ = source; }
    // From the first upload on, a picture shows the selection.
    bool selectionMode() const { return selectionMode_; }

    // Reads the rectangle of the screen into the cleared video buffer and
    // has it shown.
    void UploadSelection(const LcdRect& rect);

    // Asks for a ".COD" file, reads it and has it shown.
    void OpenRamData();
    void SaveRamDataAs();
    // The name to save the picture under: the dialog's answer with its
    // extension, after the replace question; nothing when the user cancels
    // or declines. png tells that the picture is to be written as PNG.
    std::optional<std::string> ChooseBitmapName(bool& png);

    // Display commands.
    void Freeze();   // ESC "q"
    void Reset();    // ESC "r"
    void DotFreeze();
    void DotUnFreeze();

private:
    void Send(const std::string& bytes, bool clearFirst);
    // Reads the plan's columns; false when the port went away.
    bool ReadColumns(MatrixTransfer& transfer, const std::vector<ColumnRead>& reads);
    std::optional<std::string> ChooseSaveName(const std::string& caption, const std::string& filter,
                                              const std::vector<std::string>& extensions, std::string& name);

    ScreenGrabView& view_;
    Prompter& prompter_;
    TransferWindow transferWindow_;
    VideoBuffer buffer_{};
    ScreenSource source_;
    bool selectionMode_ = false;
    std::string ramDataName_;
    std::string bitmapName_;
};

// The text shown when a file cannot be written.
std::string CannotCreateText(const std::string& path, const std::string& reason);

} // namespace qv
