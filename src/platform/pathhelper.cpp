#include "platform/pathhelper.h"

QString FolderOf(const QString& path, QChar separator)
{
    const qsizetype cut = path.lastIndexOf(separator);
    return cut < 0 ? QString() : path.left(cut);
}

QString LastComponentOf(const QString& path, QChar separator)
{
    qsizetype end = path.size();
    while (end > 0 && path.at(end - 1) == separator)
        --end;
    const QString trimmed = path.left(end);
    const qsizetype cut = trimmed.lastIndexOf(separator);
    return cut < 0 ? QString() : trimmed.mid(cut + 1);
}

QString StripExtension(const QString& name)
{
    const qsizetype cut = name.lastIndexOf(QLatin1Char('.'));
    return cut < 0 ? name : name.left(cut);
}

QString JoinPath(const QString& folder, const QString& name, QChar separator)
{
    return folder + separator + name;
}
