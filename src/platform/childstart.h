#pragma once

#include <QString>

// The errno of a start of program that failed. QProcess tells only that it
// failed, so the reason is found again the way exec would have met it.
[[nodiscard]] int StartFailureErrno(const QString& program);

// Between fork and exec, async-signal-safe: default handling and no blocked
// signals, whatever this process had set, so that SIGTERM ends the child.
void ResetSignalsForExec();
