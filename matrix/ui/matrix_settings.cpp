#include "matrix_settings.h"

#include "platform/qt/ini_file.h"
#include "platform/qt/program_settings.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>

namespace qv {

// QV-Matrix.INI is read and written by IniFile rather than QSettings: Qt's
// INI format escapes "#" in keys, reads backslashes as escapes and commas
// as list separators, and caches a file by size and time, so an edit of the
// same size made meanwhile goes unseen.

namespace {

constexpr uint32_t kFallbackTraceColor = 0x3399FF;

std::optional<int> parseInt(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    int value = 0;
    if (t.startsWith('$'))
        value = t.mid(1).toInt(&ok, 16);
    else if (t.startsWith("0x", Qt::CaseInsensitive))
        value = t.mid(2).toInt(&ok, 16);
    else
        value = t.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<bool> parseBool(const QString& text)
{
    const QString t = text.trimmed().toLower();
    if (t == "true" || t == "yes")
        return true;
    if (t == "false" || t == "no")
        return false;
    if (const auto n = parseInt(t))
        return *n != 0;
    return std::nullopt;
}

// Reads one section's keys with their fallbacks.
struct Reader {
    const IniFile& ini;
    QString section;

    int integer(const char* key, int fallback) const { return parseInt(ini.value(section, key)).value_or(fallback); }
    bool boolean(const char* key, bool fallback) const { return parseBool(ini.value(section, key)).value_or(fallback); }
    std::optional<int> optionalInteger(const char* key) const
    {
        return ini.contains(section, key) ? parseInt(ini.value(section, key)) : std::nullopt;
    }
    QString text(const QString& key, const QString& fallback = {}) const { return ini.value(section, key, fallback); }
};

QString boolText(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }
QString intText(int n) { return QString::number(n); }
QString recentKey(int n) { return QStringLiteral("File_%1").arg(n); }

int lastIconIndex() { return kCrosspointIconCount - 1; }

QString macroKey(int item)
{
    return QString::fromStdString(MacroItemKey(item));
}

} // namespace

QString MatrixSettingsPath()
{
    return ProgramSettingsPath("QV-Matrix");
}

QString TrafficLogSetting(const QStringList& arguments)
{
    const int at = arguments.indexOf("--traffic-log");
    if (at >= 0 && at + 1 < arguments.size())
        return arguments[at + 1];
    return IniFile(MatrixSettingsPath()).value("Settings", "TrafficLog");
}

bool DebugSetting(const QString& path)
{
    const IniFile ini(path);
    return Reader{ini, "Settings"}.boolean("Debug", false);
}

bool FlashMirrorSetting()
{
    const IniFile ini(MatrixSettingsPath());
    return Reader{ini, "Settings"}.boolean("FlashMirror", false);
}

int XpointFromFileIcon(int value)
{
    return value < 2 || value > lastIconIndex() ? 6 : value;
}

int IllegalXpointGreyedIcon(int value)
{
    if (value < 1)
        return 2;
    return value > lastIconIndex() ? 3 : value;
}

int IllegalXpointHighlightIcon(int value)
{
    return value < 2 || value > lastIconIndex() ? 3 : value;
}

uint32_t DefaultTraceColor()
{
    if (!qGuiApp)
        return kFallbackTraceColor;
    return QGuiApplication::palette().color(QPalette::Highlight).rgb() & 0xFFFFFF;
}

QPoint KeyboardWindowPosition(const MatrixSettings& settings, QSize keyboardSize)
{
    const WindowSettings& w = settings.window;
    return {settings.keyboard.left.value_or(w.left + w.width - keyboardSize.width() - 8),
            settings.keyboard.top.value_or(w.top + keyboardSize.height())};
}

bool CreateMatrixSettingsFile(const QString& path, QString* error)
{
    if (QFileInfo::exists(path))
        return true;
    IniFile ini(path);
    ini.setValue("Settings", "ComInterface", "COM1");
    return ini.save(error);
}

MatrixSettings ReadMatrixSettings(const QString& path)
{
    MatrixSettings out;
    const IniFile ini(path);

    const Reader window{ini, "Window"};
    WindowSettings& w = out.window;
    w.maximized = window.boolean("Maximized", w.maximized);
    w.left = window.integer("Left", w.left);
    w.top = window.integer("Top", w.top);
    w.width = std::max(window.integer("Width", w.width), kMainMinimumWidth);
    w.height = std::max(window.integer("Height", w.height), kMainMinimumHeight);
    w.gridPosX = std::max(window.integer("GridPosX", w.gridPosX), 0);
    w.gridPosY = std::max(window.integer("GridPosY", w.gridPosY), 0);

    const Reader matrix{ini, "Matrix"};
    GridSettings& m = out.matrix;
    m.doubleClick = matrix.boolean("DoubleClick", m.doubleClick);
    m.xpointFromFile = XpointFromFileIcon(matrix.integer("XpointFromFile", m.xpointFromFile));
    m.illegalXpointGreyed = IllegalXpointGreyedIcon(matrix.integer("Illegal_XpointGreyed", m.illegalXpointGreyed));
    m.illegalXpointHighlight =
        IllegalXpointHighlightIcon(matrix.integer("Illegal_XpointHighlight", m.illegalXpointHighlight));
    m.localXpoint = matrix.integer("LocalXpoint", m.localXpoint);
    m.remoteXpoint = matrix.integer("RemoteXpoint", m.remoteXpoint);
    m.lockedXpoint = matrix.integer("LockedXpoint", m.lockedXpoint);
    m.traceMouse = matrix.boolean("TraceMouse", m.traceMouse);
    const std::optional<int> color = matrix.optionalInteger("TraceColor");
    // Negative numbers name system colours elsewhere: take the desktop's.
    m.traceColor = color && *color >= 0 && *color <= 0xFFFFFF ? uint32_t(*color) : DefaultTraceColor();

    const Reader keyboard{ini, "KeyboardWindow"};
    out.keyboard.visible = keyboard.boolean("Visible", false);
    out.keyboard.left = keyboard.optionalInteger("Left");
    out.keyboard.top = keyboard.optionalInteger("Top");

    const Reader settings{ini, "Settings"};
    out.comInterface = settings.text("ComInterface", out.comInterface);
    out.extCmd = settings.text("ExtCMD");
    out.webAddress = settings.text(kWebAddressKey).trimmed();
    out.globalHotkeys = settings.boolean("GlobalHotkeys", out.globalHotkeys);
    out.checkFileAssociation = settings.boolean("CheckFileAssociation", out.checkFileAssociation);
    out.lastScaleFile = Reader{ini, "QV-Scale"}.text("LastScaleFile");
    for (int n = 1; n <= kRecentFileCount; ++n)
        out.recentFiles[n - 1] = Reader{ini, "Files"}.text(recentKey(n));
    for (int item = 1; item <= kMacroItemCount; ++item)
        out.macroFiles[item - 1] = Reader{ini, kMacroFilesSection}.text(macroKey(item));
    return out;
}

bool WriteMatrixSettings(const MatrixSettings& settings, const QString& path, QString* error)
{
    IniFile ini(path);
    const WindowSettings& w = settings.window;
    ini.setValue("Window", "Maximized", boolText(w.maximized));
    // A maximized window keeps the normal place it had before.
    if (!w.maximized) {
        ini.setValue("Window", "Left", intText(w.left));
        ini.setValue("Window", "Top", intText(w.top));
        ini.setValue("Window", "Width", intText(w.width));
        ini.setValue("Window", "Height", intText(w.height));
    }
    ini.setValue("Window", "GridPosX", intText(w.gridPosX));
    ini.setValue("Window", "GridPosY", intText(w.gridPosY));

    const GridSettings& m = settings.matrix;
    ini.setValue("Matrix", "DoubleClick", boolText(m.doubleClick));
    ini.setValue("Matrix", "XpointFromFile", intText(m.xpointFromFile));
    ini.setValue("Matrix", "Illegal_XpointGreyed", intText(m.illegalXpointGreyed));
    ini.setValue("Matrix", "Illegal_XpointHighlight", intText(m.illegalXpointHighlight));
    ini.setValue("Matrix", "LocalXpoint", intText(m.localXpoint));
    ini.setValue("Matrix", "RemoteXpoint", intText(m.remoteXpoint));
    ini.setValue("Matrix", "LockedXpoint", intText(m.lockedXpoint));
    ini.setValue("Matrix", "TraceMouse", boolText(m.traceMouse));
    ini.setValue("Matrix", "TraceColor", intText(int(m.traceColor & 0xFFFFFF)));

    ini.setValue("KeyboardWindow", "Visible", boolText(settings.keyboard.visible));
    if (settings.keyboard.left)
        ini.setValue("KeyboardWindow", "Left", intText(*settings.keyboard.left));
    if (settings.keyboard.top)
        ini.setValue("KeyboardWindow", "Top", intText(*settings.keyboard.top));

    ini.setValue("Settings", "ComInterface", settings.comInterface);
    ini.setValue("Settings", "GlobalHotkeys", boolText(settings.globalHotkeys));
    ini.setValue("Settings", "CheckFileAssociation", boolText(settings.checkFileAssociation));
    ini.setValue("QV-Scale", "LastScaleFile", settings.lastScaleFile);
    for (int n = 1; n <= kRecentFileCount; ++n)
        ini.setValue("Files", recentKey(n), settings.recentFiles[n - 1]);
    for (int item = 1; item <= kMacroItemCount; ++item)
        ini.setValue(kMacroFilesSection, macroKey(item), settings.macroFiles[item - 1]);
    return ini.save(error);
}

bool WriteRecentFiles(const RecentFileList& files, const QString& path)
{
    IniFile ini(path);
    for (int n = 1; n <= kRecentFileCount; ++n)
        ini.setValue("Files", recentKey(n), files[n - 1]);
    return ini.save();
}

bool WriteMacroFile(int item, const QString& file, const QString& path, QString* error)
{
    IniFile ini(path);
    ini.setValue(kMacroFilesSection, macroKey(item), file);
    return ini.save(error);
}

bool WriteLastScaleFile(const QString& file, const QString& path)
{
    IniFile ini(path);
    ini.setValue("QV-Scale", "LastScaleFile", file);
    return ini.save();
}

} // namespace qv
