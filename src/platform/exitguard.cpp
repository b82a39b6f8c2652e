#include "platform/exitguard.h"

#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace {

pid_t g_group = 0;
QByteArray g_file;

void RegisterOnce()
{
    static const bool registered = std::atexit(ExitGuard::EndAll) == 0;
    (void)registered;
}

} // namespace

void ExitGuard::WatchChildGroup(pid_t group)
{
    RegisterOnce();
    g_group = group;
}

void ExitGuard::ForgetChildGroup(pid_t group)
{
    if (g_group == group)
        g_group = 0;
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

void ExitGuard::EndAll()
{
    if (g_group > 0)
        kill(-g_group, SIGKILL);
    g_group = 0;
    if (!g_file.isEmpty())
        unlink(g_file.constData());
    g_file.clear();
}
