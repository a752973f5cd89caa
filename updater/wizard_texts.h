#pragma once

namespace qv {

// lblInfo on the start and file selection pages.
inline constexpr const char* kStartInfoText =
    "Please select a serial port and press CONNECT.\rWhen a connection with the instrument has been established "
    "press NEXT.";
inline constexpr const char* kSelectFileInfoText =
    "Please select a file for the update.\rWhen ready press NEXT to start the update.";
inline constexpr const char* kStartUpdateText = "Press NEXT to start the update.";

// The HELP page: a label, and the command list in a fixed-width font.
inline constexpr const char* kHelpIntroText =
    "The input box above can be used to enter\rfilenames for the software update.\rBesides filenames, this input "
    "box can\ralso be used to enter special commands.";
inline constexpr const char* kHelpCommandsText =
    "\rHELP      : This help window.\rRVT/I     : Restart the connected instrument.\rRVT/R     : Read data in "
    "Mainboard Flash.\rRVT/DLM   : Enable Download Mode.\rMCU/ERASE : Erase the RUN-Code in the "
    "I/O-Interface\rMCU/FPGA  : Install FPGA programmer in I/O-Interface.\rETH/RESET : Reset ethernet settings.";

// The browse button's filter, in parts: always, with an instrument, with
// an I/O-interface, and last.
inline constexpr const char* kPackageFilter = "Compiled Distribution Packages (*.CDP)|*.CDP|";
inline constexpr const char* kInstrumentFilter =
    "DSP-Files (*.000)|*.000|Configuration-Files (*.PRE)|*.PRE|";
inline constexpr const char* kIoInterfaceFilter =
    "Intel HEX-Files (*.HEX)|*.HEX|Xilinx XSVF-Files (*.XSVF)|*.XSVF|Dolby-E Decoder Firmware-Files "
    "(*.xDD)|*.xDD|Audio Delay Module Firmware-Files (*.xAD)|*.xAD|8 CH ANA Input Module Firmware-Files "
    "(*.xB0)|*.xB0|4 CH AES Input Module Firmware-Files (*.xB1)|*.xB1|8 CH ANA Output Module Firmware-Files "
    "(*.xC0)|*.xC0|4 CH AES Output Module Firmware-Files (*.xC1)|*.xC1|Firmware-Files (*.x)|*.x*|";
inline constexpr const char* kAllFilesFilter = "All Files (*.*)|*.*|";
inline constexpr const char* kBackupFilter = "Compiled Distribution Packages (*.CDP)|*.CDP|All Files (*.*)|*.*";

// Messages of the wizard.
inline constexpr const char* kUnknownFileTypeText = "Unknown filetype.";
inline constexpr const char* kNoValidDataText = "This file does not contain any valid data for this instrument.";
inline constexpr const char* kNotSupportedText = "This command is not supported by the instrument.";

} // namespace qv
