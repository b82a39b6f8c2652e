#pragma once

#include <QString>
#include <QStringList>

// Starts program (a path, not searched in PATH) with argv[0] = program in a
// session of its own, then lets go of it: it is never waited for and never
// becomes a zombie of ours. Standard handles, environment and working folder
// are inherited. Returns 0 when the program was executed, else the errno of
// the failed start.
int StartDetached(const QString& program, const QStringList& arguments);
