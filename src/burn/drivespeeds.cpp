#include "burn/drivespeeds.h"

#include "platform/childprocess.h"

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

DriveSpeedQuery::DriveSpeedQuery()
{
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        m_timedOut = true;
        m_child->End(std::chrono::milliseconds(0));
    });
}

DriveSpeedQuery::~DriveSpeedQuery() = default;

void DriveSpeedQuery::Start(const QString& xorriso, const QString& drive,
                            std::chrono::milliseconds timeout)
{
    m_timeout.stop();
    if (m_child)
        m_child->disconnect(this); // the query it answered is no longer asked
    m_child.reset();
    m_timedOut = false;
    int startError = 0;
    m_child = ChildProcess::Start(
        xorriso, {QStringLiteral("-outdev"), drive, QStringLiteral("-list_speeds")}, ChildStreams{},
        &startError);
    if (!m_child) {
        emit Answered(QString());
        return;
    }
    connect(m_child.get(), &ChildProcess::Ended, this, &DriveSpeedQuery::OnEnded);
    m_timeout.start(timeout);
}

bool DriveSpeedQuery::IsRunning() const
{
    return m_child && !m_child->Reaped();
}

void DriveSpeedQuery::OnEnded()
{
    m_timeout.stop();
    emit Answered(m_timedOut ? QString() : QString::fromLocal8Bit(m_child->Channels().readAll()));
}
