#pragma once

#include <QString>

class QProcess;

// The errno of a start of program that failed. QProcess tells only that it
// failed, so the reason is found again the way exec would have met it.
[[nodiscard]] int StartFailureErrno(const QString& program);

// Between fork and exec, async-signal-safe: default handling and no blocked
// signals, whatever this process had set, so that SIGTERM ends the child.
void ResetSignalsForExec();

// Sets what runs in the child between fork and exec: a process group of its
// own, so that ending the group reaches whatever the child starts; a
// parent-death signal, so that it ends if this program dies without cleaning
// up; and default signal handling.
void KeepChildWithThisProgram(QProcess& process);
