#include "platform/programfolder.h"

#include "platform/pathhelper.h"

#include <QCoreApplication>

QString ExecutablePath()
{
    // Read from /proc/self/exe on Linux, so links to the executable are resolved.
    return QCoreApplication::applicationFilePath();
}

QString ProgramFolder()
{
    return FolderOf(ExecutablePath());
}
