#include "program_settings.h"

#include "ini_file.h"

#include <QStandardPaths>

namespace qv {

QString ProgramSettingsPath(const QString& program)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base.isEmpty() ? QString() : base + "/" + program + "/" + program + ".INI";
}

QString WebAddressSetting(const QString& settingsPath)
{
    return IniFile(settingsPath).value(kSettingsSection, kWebAddressKey).trimmed();
}

QUrl WebAddressUrl(const QString& address)
{
    return QUrl::fromUserInput(address.trimmed());
}

QString WebAddressCaption(const QString& address)
{
    const QString host = WebAddressUrl(address).host();
    return host.isEmpty() ? address.trimmed() : host;
}

} // namespace qv
