#pragma once

#include <QFile>
#include <QThread>

#include <ctime>
#include <sys/stat.h>

// Waits until the coarse clock that stamps files has passed the inode change
// time of path, so that a build started afterwards finds the file older than
// itself. A file made just before a build may otherwise share its clock tick.
inline void WaitPastChangeTime(const QString& path)
{
    struct stat info;
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        return;
    timespec now{};
    do {
        QThread::msleep(1);
        clock_gettime(CLOCK_REALTIME_COARSE, &now);
    } while (now.tv_sec < info.st_ctim.tv_sec ||
             (now.tv_sec == info.st_ctim.tv_sec && now.tv_nsec <= info.st_ctim.tv_nsec));
}
