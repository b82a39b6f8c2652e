#include "burn/drivespeeds.h"

#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

QStringList DriveSpeedItems(const QString& listSpeedsOutput, QChar decimalSeparator)
{
    // "Write speed L" and "H" repeat the lowest and highest; the plain lines list them all.
    static const QRegularExpression line(
        QStringLiteral(R"(^Write speed\s*:\s*\S+\s*,\s*([0-9.]+)xD)"),
        QRegularExpression::MultilineOption);
    QList<double> speeds;
    for (auto it = line.globalMatch(listSpeedsOutput); it.hasNext();) {
        const double speed = it.next().captured(1).toDouble();
        if (speed > 0 && !speeds.contains(speed))
            speeds.append(speed);
    }
    if (speeds.isEmpty())
        return {};
    std::sort(speeds.begin(), speeds.end());
    QStringList items;
    for (double speed : speeds)
        items << QString::asprintf("%gx", speed).replace(QLatin1Char('.'), decimalSeparator);
    items << QStringLiteral("MAX");
    return items;
}

QString QueryDriveSpeeds(const QString& xorriso, const QString& drive, int timeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(xorriso, {QStringLiteral("-outdev"), drive, QStringLiteral("-list_speeds")});
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return QString::fromLocal8Bit(process.readAll());
}
