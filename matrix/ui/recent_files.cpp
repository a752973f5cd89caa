#include "recent_files.h"

#include <algorithm>

namespace qv {

bool AddRecentFile(RecentFileList& files, const QString& path)
{
    if (path.isEmpty() || std::find(files.begin(), files.end(), path) != files.end())
        return false;
    std::move_backward(files.begin(), files.end() - 1, files.end());
    files[0] = path;
    return true;
}

QString RecentFileCaption(int n, const QString& path)
{
    return QString::number(n) + ". " + path;
}

} // namespace qv
