#pragma once

#include "matrix/grid_settings.h"
#include "matrix/macro_menu.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace qv {

// QV-Matrix.INI in the user's configuration folder
// (~/.config/QV-Matrix/QV-Matrix.INI); empty when there is none.
QString MatrixSettingsPath();

// The serial traffic log, a diagnostic setting: --traffic-log PATH on the
// command line, else [Settings] TrafficLog; empty means no log.
QString TrafficLogSetting(const QStringList& arguments);

// [Settings] Debug in the file at path: the About box then offers to
// switch debug mode on; off by default.
bool DebugSetting(const QString& path);

// [Settings] FlashMirror: keep a local mirror of written blocks so that
// unchanged ones are skipped; off by default.
bool FlashMirrorSetting();

inline constexpr int kRecentFileCount = 4;
inline constexpr int kMacroItemCount = kMacroMenuItems;
using RecentFileList = std::array<QString, kRecentFileCount>;

// The default size of the main window is also its minimum size.
inline constexpr int kMainMinimumWidth = 656;
inline constexpr int kMainMinimumHeight = 487;

struct WindowSettings {
    bool maximized = false;
    int left = 10;
    int top = 10;
    int width = kMainMinimumWidth;
    int height = kMainMinimumHeight;
    int gridPosX = 0; // first visible input
    int gridPosY = 0; // first visible output
};

struct KeyboardWindowSettings {
    bool visible = false;
    // Unset: placed beside the main window, see KeyboardWindowPosition.
    std::optional<int> left;
    std::optional<int> top;
};

// Everything QV-Matrix.INI holds, with the defaults of a missing key.
struct MatrixSettings {
    WindowSettings window;
    GridSettings matrix;
    KeyboardWindowSettings keyboard;
    QString comInterface = QStringLiteral("COM1"); // a port name or "EXT"
    QString extCmd;                                // read only
    QString webAddress;                            // read only; empty: no link
    bool globalHotkeys = false;
    bool checkFileAssociation = true;
    QString lastScaleFile;
    RecentFileList recentFiles; // File_1 .. File_4, newest first
    std::array<QString, kMacroItemCount> macroFiles;   // macro menu items 1 .. 10
};

// The icon read rules: a number outside the grid's icon list falls back.
int XpointFromFileIcon(int value);
int IllegalXpointGreyedIcon(int value);
int IllegalXpointHighlightIcon(int value);

// The desktop's highlight colour as RGB, the default of TraceColor.
uint32_t DefaultTraceColor();

// Where the keyboard window goes: the saved position, else beside the main
// window's right edge.
QPoint KeyboardWindowPosition(const MatrixSettings& settings, QSize keyboardSize);

// A missing file is created with only [Settings] ComInterface=COM1. False
// with the platform's error text when it cannot be created.
bool CreateMatrixSettingsFile(const QString& path, QString* error = nullptr);

// Reads every key; a missing or unreadable value takes its default.
MatrixSettings ReadMatrixSettings(const QString& path);

// Writes every key but ExtCMD and WebAddress; keys of other owners stay as
// they are.
// False with the platform's error text when the file cannot be written.
bool WriteMatrixSettings(const MatrixSettings& settings, const QString& path, QString* error = nullptr);

// The keys written between start and close.
bool WriteRecentFiles(const RecentFileList& files, const QString& path);
bool WriteMacroFile(int item, const QString& file, const QString& path, QString* error = nullptr);
bool WriteLastScaleFile(const QString& file, const QString& path);

} // namespace qv
