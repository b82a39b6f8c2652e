#pragma once

#include <QChar>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <memory>

class ChildProcess;

// The write speeds a drive reports to "xorriso -outdev DRIVE -list_speeds"
// ("Write speed  :  5540k ,  4.0xD , ..."), as speed items "4x", slowest
// first, then "MAX"; empty when the drive reported none.
[[nodiscard]] QStringList DriveSpeedItems(const QString& listSpeedsOutput, QChar decimalSeparator);

// Asks xorriso for a drive's speeds without holding up the event loop: a
// drive that is spinning up may take seconds to answer, or never answer.
class DriveSpeedQuery : public QObject
{
    Q_OBJECT

public:
    DriveSpeedQuery();
    ~DriveSpeedQuery() override;
    DriveSpeedQuery(const DriveSpeedQuery&) = delete;
    DriveSpeedQuery& operator=(const DriveSpeedQuery&) = delete;

    // Starts a query; one still running is ended first and answers nothing.
    // Past the timeout its process group is ended and the answer is empty.
    void Start(const QString& xorriso, const QString& drive,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

    [[nodiscard]] bool IsRunning() const;

signals:
    // What xorriso printed; empty when it could not start or timed out.
    void Answered(const QString& output);

private:
    void OnEnded();

    std::unique_ptr<ChildProcess> m_child;
    QTimer m_timeout;
    bool m_timedOut = false;
};
