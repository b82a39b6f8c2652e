#pragma once

#include <QByteArray>

#include <sys/types.h>

// What must not outlive the program even when it ends by exit() rather than by
// returning from main, as Qt does when the display connection breaks: the
// process group of a running child, and the capture file. The first use
// registers the handler; one child group and one file are tracked at a time.
namespace ExitGuard {

void WatchChildGroup(pid_t group);
void ForgetChildGroup(pid_t group); // only if it is the one watched

void WatchFile(const QByteArray& path);
void ForgetFile(const QByteArray& path); // only if it is the one watched

// What the exit handler does, for a caller that ends the program otherwise.
void EndAll();

} // namespace ExitGuard
