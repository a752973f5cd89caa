#pragma once

#include <QString>
#include <QUrl>

namespace qv {

// The help pages lie in share/qv-suite/help of the installation, beside the
// bin folder of the programs. The build folder has the same share folder,
// leading to the pages of the source tree, and its programs lie one or two
// folders below it.
inline constexpr char kHelpFolder[] = "share/qv-suite/help";

// The help folder seen from a program's folder; empty when there is none.
QString HelpFolder(const QString& programDir);

// The page in that folder, else the copy built into the program under
// :/help, else an empty URL.
QUrl HelpPageUrl(const QString& page, const QString& programDir);

} // namespace qv
