#pragma once

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <functional>

// Runs the event loop until the condition holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 60000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

// Acts on the next modal window of the given type once it is up, from the event
// loop that the window's exec() runs.
template <typename Window> void WhenModalShown(std::function<void(Window&)> action)
{
    QTimer::singleShot(10, [action] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (window == nullptr) {
            WhenModalShown<Window>(action);
            return;
        }
        action(*window);
    });
}

// Renames every entry below a folder to lower case, deepest first.
inline void LowerCaseTree(const QString& root)
{
    QStringList paths;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.prepend(it.next());
    for (const QString& path : paths) {
        const QFileInfo info(path);
        QFile::rename(path, info.dir().filePath(info.fileName().toLower()));
    }
}

// True when no process, not even a zombie, has this id.
inline bool ProcessGone(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

inline qint64 ReadPid(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
}

struct LsdvdInfo
{
    QString discTitle;
    int titles = 0;
};

// Reads an image back with lsdvd, on Debian's libdvdread.
inline LsdvdInfo ReadWithLsdvd(const QString& image)
{
    QProcess lsdvd;
    lsdvd.start(QStringLiteral("lsdvd"), {image});
    lsdvd.waitForFinished(60000);
    const QString text = QString::fromLocal8Bit(lsdvd.readAllStandardOutput());
    LsdvdInfo info;
    const auto title =
        QRegularExpression("^Disc Title: (.*)$", QRegularExpression::MultilineOption).match(text);
    info.discTitle = title.hasMatch() ? title.captured(1).trimmed() : QString();
    info.titles = static_cast<int>(
        text.count(QRegularExpression("^Title: \\d+,", QRegularExpression::MultilineOption)));
    return info;
}

// The NUL-separated record the recorder stand-in writes.
inline QStringList ReadRecord(const QString& path)
{
    QFile file(path);
    if (!WaitUntil([&path] { return QFile::exists(path); }, 20000) ||
        !file.open(QIODevice::ReadOnly))
        return {};
    QStringList fields;
    for (const QByteArray& field : file.readAll().split('\0'))
        fields << QFile::decodeName(field);
    fields.removeLast();
    return fields;
}
