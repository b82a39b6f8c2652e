#include "platform/childprocess.h"

#include "platform/childstart.h"
#include "platform/exitguard.h"

#include <csignal>
#include <unistd.h>

ChildProcess::ChildProcess()
{
    m_killTimer.setSingleShot(true);
    connect(&m_killTimer, &QTimer::timeout, this, [this] { SignalGroup(SIGKILL); });
    connect(&m_process, &QProcess::finished, this, &ChildProcess::Record);
}

std::unique_ptr<ChildProcess> ChildProcess::Start(const QString& program,
                                                  const QStringList& arguments,
                                                  const ChildStreams& streams, int* startError)
{
    std::unique_ptr<ChildProcess> child(new ChildProcess);
    if (!child->Launch(program, arguments, streams, startError))
        return nullptr;
    return child;
}

std::unique_ptr<ChildProcess> ChildProcess::Start(const QString& program,
                                                  const QStringList& arguments,
                                                  const QString& outputFile, int* startError)
{
    return Start(program, arguments, ChildStreams{outputFile, false}, startError);
}

bool ChildProcess::Launch(const QString& program, const QStringList& arguments,
                          const ChildStreams& streams, int* startError)
{
    m_process.setProgram(program);
    m_process.setArguments(arguments);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    if (!streams.input)
        m_process.setStandardInputFile(QProcess::nullDevice());
    if (!streams.outputFile.isEmpty())
        m_process.setStandardOutputFile(streams.outputFile, QIODevice::Append);
    KeepChildWithThisProgram(m_process);
    QIODevice::OpenMode mode = QIODevice::NotOpen;
    if (streams.outputFile.isEmpty())
        mode |= QIODevice::ReadOnly | QIODevice::Unbuffered;
    if (streams.input)
        mode = QIODevice::ReadWrite; // written input is buffered until the child takes it
    m_process.start(mode);
    if (!m_process.waitForStarted(-1)) {
        *startError = StartFailureErrno(program);
        return false;
    }
    m_pid = static_cast<pid_t>(m_process.processId());
    ExitGuard::WatchChildGroup(m_pid);
    *startError = 0;
    return true;
}

// Its owner is going too, maybe half destroyed already: it hears no Ended.
ChildProcess::~ChildProcess()
{
    blockSignals(true);
    if (!Reaped())
        EndGroup(std::chrono::milliseconds(0));
}

void ChildProcess::Record(int exitCode, QProcess::ExitStatus exitStatus)
{
    ChildStatus status;
    status.exited = exitStatus == QProcess::NormalExit;
    // For a child killed by a signal, QProcess gives the signal as its code.
    (status.exited ? status.code : status.signal) = exitCode;
    // What a wrapper left running would go on writing unseen. The group's id
    // cannot be taken by another process while any member of it lives.
    kill(-m_pid, SIGKILL);
    m_killTimer.stop();
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

void ChildProcess::End(std::chrono::milliseconds grace)
{
    if (Reaped() || m_killTimer.isActive())
        return;
    SignalGroup(SIGTERM);
    m_killTimer.start(grace);
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
        m_killTimer.stop();
        ExitGuard::ForgetChildGroup(m_pid);
    }
    return *m_status;
}
