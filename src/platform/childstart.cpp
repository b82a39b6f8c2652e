#include "platform/childstart.h"

#include <QFile>
#include <QProcess>

#include <cerrno>
#include <csignal>
#include <sys/prctl.h>
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

void KeepChildWithThisProgram(QProcess& process)
{
    const pid_t parent = getpid();
    // Async-signal-safe calls only: this runs between fork and exec.
    process.setChildProcessModifier([parent] {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127); // the parent died before the signal was armed
        ResetSignalsForExec();
    });
}
