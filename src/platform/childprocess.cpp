#include "platform/childprocess.h"

#include "platform/childstart.h"
#include "platform/exitguard.h"

#include <csignal>
#include <unistd.h>

ChildProcess::ChildProcess()
{
    connect(&m_process, &QProcess::finished, this, &ChildProcess::Record);
}

std::unique_ptr<ChildProcess> ChildProcess::Start(const QString& program,
                                                  const QStringList& arguments,
                                                  const QString& outputFile, int* startError)
{
    std::unique_ptr<ChildProcess> child(new ChildProcess);
    QProcess& process = child->m_process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardOutputFile(outputFile, QIODevice::Append);
    KeepChildWithThisProgram(process);
    process.start(QIODevice::NotOpen);
    if (!process.waitForStarted(-1)) {
        *startError = StartFailureErrno(program);
        return nullptr;
    }
    child->m_pid = static_cast<pid_t>(process.processId());
    ExitGuard::WatchChildGroup(child->m_pid);
    *startError = 0;
    return child;
}

ChildProcess::~ChildProcess()
{
    if (!Reaped())
        EndGroup(std::chrono::milliseconds(0));
}

void ChildProcess::Record(int exitCode, QProcess::ExitStatus exitStatus)
{
    ChildStatus status;
    status.exited = exitStatus == QProcess::NormalExit;
    // For a child killed by a signal, QProcess gives the signal as its code.
    (status.exited ? status.code : status.signal) = exitCode;
    m_status = status;
    ExitGuard::ForgetChildGroup(m_pid);
    emit Ended();
}

void ChildProcess::SignalGroup(int signal)
{
    // Once reaped, the ids may name another process by now.
    if (!Reaped() && m_pid > 0)
        kill(-m_pid, signal);
}

ChildStatus ChildProcess::EndGroup(std::chrono::milliseconds grace)
{
    if (Reaped())
        return *m_status;
    SignalGroup(SIGTERM);
    if (grace.count() <= 0 || !m_process.waitForFinished(static_cast<int>(grace.count())))
        SignalGroup(SIGKILL);
    if (!Reaped())
        m_process.waitForFinished(-1);
    if (!Reaped()) {
        m_status = ChildStatus{}; // lost to another waiter: nothing is left to wait for
        ExitGuard::ForgetChildGroup(m_pid);
    }
    return *m_status;
}
