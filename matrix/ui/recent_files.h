#pragma once

#include "matrix_settings.h"

#include <QString>

namespace qv {

// Puts path first and shifts the others down, unless it is in the list
// already: then nothing moves. True when the list changed.
bool AddRecentFile(RecentFileList& files, const QString& path);

// Menu caption of entry n (1 to 4): "n. path".
QString RecentFileCaption(int n, const QString& path);

} // namespace qv
