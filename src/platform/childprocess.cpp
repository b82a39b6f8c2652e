#include "platform/childprocess.h"

#include "platform/childstart.h"
#include "platform/endgracefully.h"
#include "platform/exitguard.h"

#include <QTimer>

#include <csignal>
#include <unistd.h>

namespace {

void RouteStreams(QProcess& process, const ChildStreams& streams)
{
    if (!streams.input)
        process.setStandardInputFile(QProcess::nullDevice());
    const bool errorOnly = streams.kept == ChildOutput::ErrorOnly;
    if (streams.kept == ChildOutput::Both)
        process.setProcessChannelMode(QProcess::MergedChannels);
    else if (errorOnly)
        process.setStandardOutputFile(QProcess::nullDevice());
    else
        process.setStandardErrorFile(QProcess::nullDevice());
    // Channels() reads what is kept, whichever stream that is.
    process.setReadChannel(errorOnly ? QProcess::StandardError : QProcess::StandardOutput);
    if (streams.outputFile.isEmpty())
        return;
    if (errorOnly)
        process.setStandardErrorFile(streams.outputFile, QIODevice::Append);
    else
        process.setStandardOutputFile(streams.outputFile, QIODevice::Append);
}

} // namespace

ChildProcess::ChildProcess(ChildTie tie) : m_tie(tie)
{
    connect(&m_process, &QProcess::finished, this, &ChildProcess::Record);
}

std::unique_ptr<ChildProcess> ChildProcess::Start(const QString& program,
                                                  const QStringList& arguments,
                                                  const ChildStreams& streams, ChildTie tie,
                                                  int* startError)
{
    std::unique_ptr<ChildProcess> child(new ChildProcess(tie));
    if (!child->Launch(program, arguments, streams, startError))
        return nullptr;
    return child;
}

std::unique_ptr<ChildProcess> ChildProcess::Start(const QString& program,
                                                  const QStringList& arguments,
                                                  const ChildStreams& streams, int* startError)
{
    return Start(program, arguments, streams, ChildTie::Program, startError);
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
    RouteStreams(m_process, streams);
    if (m_tie == ChildTie::Program)
        KeepChildWithThisProgram(m_process);
    else
        m_process.setChildProcessModifier(ResetSignalsForExec);
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
    if (m_tie == ChildTie::Program)
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
    if (m_tie == ChildTie::Program) {
        // What a wrapper left running would go on writing unseen. The group's
        // id cannot be taken by another process while any member of it lives.
        kill(-m_pid, SIGKILL);
        ExitGuard::ForgetChildGroup(m_pid);
    }
    m_status = status;
    emit Ended();
}

void ChildProcess::SignalGroup(int signal)
{
    // Once reaped, the ids may name another process by now.
    if (!Reaped() && m_pid > 0)
        kill(m_tie == ChildTie::Program ? -m_pid : m_pid, signal);
}

void ChildProcess::End(std::chrono::milliseconds grace)
{
    if (Reaped() || m_ending)
        return;
    m_ending = true;
    EndGracefully([this](int signal) { SignalGroup(signal); }, grace,
                  [this](std::chrono::milliseconds wait, const std::function<void()>& kill) {
                      QTimer::singleShot(wait, this, kill);
                  });
}

ChildStatus ChildProcess::EndGroup(std::chrono::milliseconds grace)
{
    if (Reaped())
        return *m_status;
    EndGracefully([this](int signal) { SignalGroup(signal); }, grace,
                  [this](std::chrono::milliseconds wait, const std::function<void()>& kill) {
                      if (wait.count() <= 0 ||
                          !m_process.waitForFinished(static_cast<int>(wait.count())))
                          kill();
                  });
    if (!Reaped())
        m_process.waitForFinished(-1);
    if (!Reaped()) {
        m_status = ChildStatus{}; // lost to another waiter: nothing is left to wait for
        if (m_tie == ChildTie::Program)
            ExitGuard::ForgetChildGroup(m_pid);
    }
    return *m_status;
}
