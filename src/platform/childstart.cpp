#include "platform/childstart.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <unistd.h>

int StartFailureErrno(const QString& program)
{
    if (access(QFile::encodeName(program).constData(), X_OK) != 0)
        return errno;
    // Present and executable, yet exec refused it: not a format it can run.
    return ENOEXEC;
}

void ResetSignalsForExec()
{
    struct sigaction standard = {};
    standard.sa_handler = SIG_DFL;
    for (int number = 1; number < NSIG; ++number) {
        if (number != SIGKILL && number != SIGSTOP)
            sigaction(number, &standard, nullptr);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}
