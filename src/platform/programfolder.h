#pragma once

#include <QString>

// The full path of the running executable, symlinks resolved; empty if unknown.
QString ExecutablePath();

// The folder of the running executable without a trailing separator.
QString ProgramFolder();
