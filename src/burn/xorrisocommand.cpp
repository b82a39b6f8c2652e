#include "burn/xorrisocommand.h"

#include <QRegularExpression>

#include <algorithm>

QString XorrisoSpeed(const QString& speedText)
{
    QString speed = speedText.trimmed();
    if (speed.isEmpty() || speed.compare(u"MAX", Qt::CaseInsensitive) == 0)
        return {};
    speed.replace(QLatin1Char(','), QLatin1Char('.'));
    if (speed.endsWith(QLatin1Char('x'), Qt::CaseInsensitive))
        speed.chop(1);
    bool number = false;
    speed.toDouble(&number);
    return number ? speed + QLatin1Char('d') : QString();
}

QStringList XorrisoArguments(const XorrisoCall& call)
{
    // -v makes the progress lines appear; padsize=0 keeps the written track
    // byte for byte the image, so that it can be compared afterwards.
    QStringList arguments{QStringLiteral("-as"), QStringLiteral("cdrecord"), QStringLiteral("-v"),
                          QStringLiteral("dev=") + call.drive};
    const QString speed = XorrisoSpeed(call.speedText);
    if (!speed.isEmpty())
        arguments << QStringLiteral("speed=") + speed;
    if (call.erase)
        arguments << QStringLiteral("blank=as_needed");
    arguments << QStringLiteral("padsize=0");
    if (call.eject)
        arguments << QStringLiteral("-eject");
    if (call.trackSize >= 0)
        arguments << QStringLiteral("tsize=%1").arg(call.trackSize) << QStringLiteral("-");
    else
        arguments << call.source;
    return arguments;
}

std::optional<int> RecordingPercent(const QString& line)
{
    static const QRegularExpression written(QStringLiteral(R"((\d+)\s+of\s+(\d+)\s+MB written)"));
    const QRegularExpressionMatch match = written.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    const qint64 done = match.captured(1).toLongLong();
    const qint64 total = match.captured(2).toLongLong();
    if (total <= 0)
        return std::nullopt;
    return static_cast<int>(std::clamp<qint64>(done * 100 / total, 0, 100));
}

QStringList XorrisoEjectArguments(const QString& drive)
{
    return {QStringLiteral("-outdev"), drive, QStringLiteral("-eject"), QStringLiteral("all")};
}
