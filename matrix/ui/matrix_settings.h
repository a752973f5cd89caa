#pragma once

#include <QString>
#include <QStringList>

namespace qv {

// QV-Matrix.INI in the user's configuration folder
// (~/.config/QV-Matrix/QV-Matrix.INI).
QString MatrixSettingsPath();

// The serial traffic log, a diagnostic setting: --traffic-log PATH on the
// command line, else [Settings] TrafficLog; empty means no log.
QString TrafficLogSetting(const QStringList& arguments);

} // namespace qv
