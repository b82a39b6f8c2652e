#include "platform/exitguard.h"

#include "platform/endgracefully.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <map>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::vector<pid_t>& Groups()
{
    static std::vector<pid_t> groups;
    return groups;
}

std::map<int, std::function<void()>>& Cleanups()
{
    static std::map<int, std::function<void()>> cleanups;
    return cleanups;
}

QByteArray g_file;
int g_nextCleanup = 1;

void EndAtExit()
{
    ExitGuard::EndAll();
}

void RegisterOnce()
{
    // Made first, so that they are destroyed only after the handler has run.
    Groups();
    Cleanups();
    static const bool registered = std::atexit(EndAtExit) == 0;
    (void)registered;
}

// The process group and state fields of /proc/PID/stat; the name before them
// is in parentheses and may hold anything, so they are read after its end.
bool RunsInGroup(const QByteArray& stat, pid_t group)
{
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return false;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    // state ppid pgrp ...
    return fields.size() > 2 && fields.at(0) != "Z" && fields.at(2).toLong() == group;
}

// True once no process of the group is left but zombies.
bool GroupGone(pid_t group)
{
    if (kill(-group, 0) != 0)
        return true;
    // Zombies still count for kill(); only /proc tells them apart.
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    return std::none_of(entries.cbegin(), entries.cend(), [group](const QString& entry) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        return entry.front().isDigit() && stat.open(QIODevice::ReadOnly) &&
               RunsInGroup(stat.readAll(), group);
    });
}

// Waits until no watched group has a live process, or the deadline.
bool WaitForGroups(Clock::time_point deadline)
{
    for (;;) {
        const bool allGone = std::all_of(Groups().cbegin(), Groups().cend(), GroupGone);
        if (allGone || Clock::now() >= deadline)
            return allGone;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void SignalGroups(int signal)
{
    for (const pid_t group : Groups())
        kill(-group, signal);
}

} // namespace

void ExitGuard::WatchChildGroup(pid_t group)
{
    RegisterOnce();
    if (group > 0)
        Groups().push_back(group);
}

void ExitGuard::ForgetChildGroup(pid_t group)
{
    auto& groups = Groups();
    groups.erase(std::remove(groups.begin(), groups.end(), group), groups.end());
}

void ExitGuard::WatchFile(const QByteArray& path)
{
    RegisterOnce();
    g_file = path;
}

void ExitGuard::ForgetFile(const QByteArray& path)
{
    if (g_file == path)
        g_file.clear();
}

int ExitGuard::AddCleanup(std::function<void()> cleanup)
{
    RegisterOnce();
    const int id = g_nextCleanup++;
    Cleanups().emplace(id, std::move(cleanup));
    return id;
}

void ExitGuard::ForgetCleanup(int id)
{
    Cleanups().erase(id);
}

void ExitGuard::EndAll(std::chrono::milliseconds grace)
{
    if (!Groups().empty()) {
        EndGracefully(SignalGroups, grace,
                      [](std::chrono::milliseconds wait, const std::function<void()>& kill) {
                          if (wait.count() <= 0 || !WaitForGroups(Clock::now() + wait))
                              kill();
                      });
        // A dying builder may still be creating its next chunk: clean up after it.
        WaitForGroups(Clock::now() + std::chrono::seconds(1));
        Groups().clear();
    }
    std::map<int, std::function<void()>> cleanups;
    cleanups.swap(Cleanups());
    // Last registered first, as with atexit: a lock taken before a build
    // started outlasts the removal of what that build wrote.
    std::for_each(cleanups.rbegin(), cleanups.rend(), [](auto& entry) { entry.second(); });
    if (!g_file.isEmpty())
        unlink(g_file.constData());
    g_file.clear();
}
