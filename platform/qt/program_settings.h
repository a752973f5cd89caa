#pragma once

#include <QString>
#include <QUrl>

namespace qv {

// A program's settings file in the user's configuration folder:
// ~/.config/<program>/<program>.INI; empty when there is no such folder.
QString ProgramSettingsPath(const QString& program);

// [Settings] WebAddress: the maker's web site. Empty until it is set, and
// then the programs show no link to it and leave it out of their messages.
QString WebAddressSetting(const QString& settingsPath);
inline constexpr char kSettingsSection[] = "Settings";
inline constexpr char kWebAddressKey[] = "WebAddress";
// [Settings] UpdateServer: where QV-Update asks for a newer version of itself.
inline constexpr char kUpdateServerKey[] = "UpdateServer";

// The address as a browser takes it ("www.maker.com" gets its scheme).
QUrl WebAddressUrl(const QString& address);
// What a link to it shows: the site's host name, else the address itself.
QString WebAddressCaption(const QString& address);

} // namespace qv
