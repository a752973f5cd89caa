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

// [Settings] FlashMirror: keep a local mirror of written blocks so that
// unchanged ones are skipped; off by default.
bool FlashMirrorSetting();

} // namespace qv
