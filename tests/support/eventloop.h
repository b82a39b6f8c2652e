#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <functional>

// Runs the event loop until the condition holds or the time is up; returns the condition.
inline bool RunUntil(const std::function<bool()>& condition, int timeoutMs = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

// Runs the event loop for a while, for checks that something does not happen.
inline void RunFor(int milliseconds)
{
    RunUntil([] { return false; }, milliseconds);
}

// True while the process runs: neither gone nor a zombie waiting for its parent.
inline bool ProcessRunning(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray fields = stat.readAll();
    const qsizetype close = fields.lastIndexOf(')');
    return close >= 0 && fields.mid(close + 2, 1) != "Z";
}
