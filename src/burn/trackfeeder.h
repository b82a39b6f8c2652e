#pragma once

#include <QFile>
#include <QObject>
#include <QStringList>

class QProcess;

// Streams files, in order, into a child's standard input as one track, a block
// at a time: the next block goes only when the child has taken the last one,
// so a chunk is never held whole in memory. The input is closed at the end.
class TrackFeeder : public QObject
{
    Q_OBJECT

public:
    TrackFeeder(QProcess& child, QStringList files);

    // The sum of the files' sizes; -1 when one of them cannot be read.
    [[nodiscard]] static qint64 TotalSize(const QStringList& files);

    // Begins feeding; more follows as the child takes it.
    void Begin();

    // True when a file could not be read; the input was closed early.
    [[nodiscard]] bool Failed() const { return m_failed; }

private:
    void Feed();
    bool OpenNext();

    QProcess& m_child;
    QStringList m_files;
    QFile m_current;
    qsizetype m_next = 0;
    bool m_done = false;
    bool m_failed = false;
};
