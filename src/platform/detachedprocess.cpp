#include "platform/detachedprocess.h"

#include "platform/childstart.h"

#include <QProcess>

int StartDetached(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setChildProcessModifier(ResetSignalsForExec);
    return process.startDetached() ? 0 : StartFailureErrno(program);
}
