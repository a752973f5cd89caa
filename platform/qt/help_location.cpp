#include "help_location.h"

#include <QDir>
#include <QFileInfo>

namespace qv {

namespace {

constexpr int kLevelsUp = 2;

} // namespace

QString HelpFolder(const QString& programDir)
{
    QDir dir(programDir);
    for (int level = 0; level < kLevelsUp && dir.cdUp(); ++level) {
        const QString folder = dir.filePath(kHelpFolder);
        if (QFileInfo(folder).isDir())
            return QDir::cleanPath(folder);
    }
    return {};
}

QUrl HelpPageUrl(const QString& page, const QString& programDir)
{
    const QString folder = HelpFolder(programDir);
    if (!folder.isEmpty() && QFileInfo::exists(folder + "/" + page))
        return QUrl::fromLocalFile(folder + "/" + page);
    const QString embedded = ":/help/" + page;
    if (QFileInfo::exists(embedded))
        return QUrl("qrc" + embedded);
    return {};
}

} // namespace qv
