#include "imaging/droppedsource.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool IsVideoTs(const QDir& folder)
{
    return folder.dirName().compare(QLatin1String("VIDEO_TS"), Qt::CaseInsensitive) == 0;
}

// The folder that holds the given one; empty for the root, which holds nothing.
QString ParentOf(const QDir& folder)
{
    QDir parent = folder;
    return parent.cdUp() ? parent.absolutePath() : QString();
}

} // namespace

QString SourceFolderOfDroppedPath(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (info.isDir()) {
        const QDir folder(info.absoluteFilePath());
        return IsVideoTs(folder) ? ParentOf(folder) : folder.absolutePath();
    }
    if (info.isFile() && IsVideoTs(info.absoluteDir()))
        return ParentOf(info.absoluteDir());
    return {};
}
