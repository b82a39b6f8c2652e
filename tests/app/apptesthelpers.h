#pragma once

#include "support/discreader.h"
#include "support/eventloop.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

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

// The window's child of that type and object name; a missing one fails the test.
template <typename T> T* Find(QWidget& window, const char* name)
{
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
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

// The NUL-separated record the recorder stand-in writes.
inline QStringList ReadRecord(const QString& path)
{
    QFile file(path);
    if (!RunUntil([&path] { return QFile::exists(path); }, 20000) ||
        !file.open(QIODevice::ReadOnly))
        return {};
    QStringList fields;
    for (const QByteArray& field : file.readAll().split('\0'))
        fields << QFile::decodeName(field);
    fields.removeLast();
    return fields;
}

// A finished run's label in each language the tests read it in: the pace in
// the language's number form, nothing left.
struct FinishedPaceLabel
{
    const char* language;
    const char* pattern;
};
inline constexpr FinishedPaceLabel kFinishedPaceLabels[] = {
    {"en", R"(100 %  ·  \d+\.\d MB/s  ·  0:00 left)"},
    {"de", R"(100 %  ·  \d+,\d MB/s  ·  noch 0:00)"},
};

inline bool MatchesWhole(const char* pattern, const QString& text)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(QString::fromUtf8(pattern)))
        .match(text)
        .hasMatch();
}
