#pragma once

#include <QByteArray>

#include <chrono>
#include <functional>
#include <sys/types.h>

// What must not outlive the program even when it ends by exit() rather than by
// returning from main, as Qt does when the display connection breaks: the
// process groups of running children, what a running build has written, and
// the capture file. The first use registers the handler.
namespace ExitGuard {

void WatchChildGroup(pid_t group);
void ForgetChildGroup(pid_t group);

void WatchFile(const QByteArray& path);
void ForgetFile(const QByteArray& path); // only if it is the one watched

// A clean-up that runs once the children are gone, such as removing an
// unfinished build's output. Returns an id for ForgetCleanup; each runs once.
int AddCleanup(std::function<void()> cleanup);
void ForgetCleanup(int id);

// What the exit handler does, for a caller that ends the program otherwise:
// SIGTERM to every group, SIGKILL to what is left after the grace, a wait (at
// most a second) until nothing of them runs, the clean-ups, then the file.
// It blocks, so it is only for a program that is about to end.
void EndAll(std::chrono::milliseconds grace = std::chrono::milliseconds(0));

} // namespace ExitGuard
