#include "cli/sourcelist.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

std::optional<QStringList> ReadSourceList(const QString& from, bool nulSeparated, QString* problem)
{
    QFile list;
    const bool opened = from == QLatin1String("-")
                            ? list.open(stdin, QIODevice::ReadOnly)
                            : (list.setFileName(from), list.open(QIODevice::ReadOnly));
    const QByteArray bytes = opened ? list.readAll() : QByteArray();
    if (!opened || list.error() != QFileDevice::NoError) {
        *problem = QCoreApplication::translate("Cli", "The source list \"%1\" cannot be read: %2.")
                       .arg(from, list.errorString());
        return std::nullopt;
    }
    QStringList sources;
    for (QByteArray entry : bytes.split(nulSeparated ? '\0' : '\n')) {
        if (!nulSeparated && entry.endsWith('\r'))
            entry.chop(1);
        if (!entry.isEmpty())
            sources << QFile::decodeName(entry);
    }
    return sources;
}
