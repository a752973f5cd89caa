#include "matrix_settings.h"

#include <QSettings>
#include <QStandardPaths>

namespace qv {

QString MatrixSettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/QV-Matrix/QV-Matrix.INI";
}

QString TrafficLogSetting(const QStringList& arguments)
{
    const int at = arguments.indexOf("--traffic-log");
    if (at >= 0 && at + 1 < arguments.size())
        return arguments[at + 1];
    QSettings settings(MatrixSettingsPath(), QSettings::IniFormat);
    return settings.value("Settings/TrafficLog").toString();
}

bool FlashMirrorSetting()
{
    QSettings settings(MatrixSettingsPath(), QSettings::IniFormat);
    return settings.value("Settings/FlashMirror", false).toBool();
}

} // namespace qv
