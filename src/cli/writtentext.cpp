#include "cli/writtentext.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

QString WrittenText(const QStringList& parts, qint64 bytes, const QString& volumeId)
{
    // Traditional units, as the progress line counts its MB/s.
    const QString size = QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
    if (parts.size() == 1)
        return QCoreApplication::translate("Cli", R"(Wrote "%1": %2, Volume ID "%3".)")
            .arg(parts.first(), size, volumeId);
    return QCoreApplication::translate("Cli",
                                       R"(Wrote %1 chunks, "%2" to "%3": %4, Volume ID "%5".)")
        .arg(QString::number(parts.size()), parts.value(0), parts.value(parts.size() - 1), size,
             volumeId);
}

QString ListedText(const QString& list)
{
    return QCoreApplication::translate("Cli", R"(The chunks are listed in "%1".)").arg(list);
}

qint64 ImageBytes(const QStringList& parts)
{
    qint64 total = 0;
    for (const QString& part : parts)
        total += QFileInfo(part).size();
    return total;
}
