#pragma once

#include "controls/linkopenresult.h"

#include <chrono>

class QObject;

// Runs the desktop's opener (`program address`) without blocking and hands
// `done` its verdict: opened when it exits with 0 or is still running after
// `patience`, else the code for its exit status with its last line of error
// output. The process is never ended, not even with the program: a browser it
// runs in the foreground must outlive the verdict, the caller and the program.
void RunOpenerProcess(const QString& program, const QString& address, QObject* context,
                      std::chrono::milliseconds patience, LinkOpenDone done);
