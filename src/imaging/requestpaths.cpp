#include "imaging/requestpaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The real path of a file that may not exist yet: the nearest existing folder
// above it resolved, the rest appended.
QString ResolvedPath(const QString& path)
{
    QString existing = QDir::cleanPath(path);
    QString rest;
    while (!QFileInfo::exists(existing)) {
        const qsizetype cut = existing.lastIndexOf(QLatin1Char('/'));
        if (cut <= 0)
            return QDir::cleanPath(path);
        rest = existing.mid(cut) + rest;
        existing.truncate(cut);
    }
    return QFileInfo(existing).canonicalFilePath() + rest;
}

} // namespace

QString AbsolutePath(const QString& path)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

QString ResolvedSourceDirectory(const QString& path)
{
    QString absolute = AbsolutePath(path);
    const QFileInfo info(absolute);
    if (!info.isSymLink())
        return absolute;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? absolute : target;
}

QString ResolvedOutputFile(const QString& path, bool followLink)
{
    QString file = AbsolutePath(path);
    // Links are followed by hand, since a link to a file still to be written
    // has no canonical path; a loop ends where the kernel would give up.
    for (int hop = 0; followLink && hop < 40; ++hop) {
        const QFileInfo info(file);
        if (!info.isSymLink())
            break;
        file = QDir::cleanPath(info.dir().absoluteFilePath(info.symLinkTarget()));
    }
    const QFileInfo info(file);
    const QString folder = info.dir().canonicalPath();
    return folder.isEmpty() ? file : QDir(folder).filePath(info.fileName());
}

bool IsFaithfulPath(const QString& path)
{
    return !path.contains(QChar::ReplacementCharacter) &&
           QFile::decodeName(QFile::encodeName(path)) == path;
}

bool IsInsideFolder(const QString& path, const QString& folder)
{
    const QString realFolder = QFileInfo(folder).canonicalFilePath();
    if (realFolder.isEmpty())
        return false;
    const QString realPath = ResolvedPath(AbsolutePath(path));
    if (realFolder == QLatin1String("/"))
        return true;
    return realPath == realFolder || realPath.startsWith(realFolder + QLatin1Char('/'));
}
