#include "imaging/buildmonitor.h"

#include "imaging/mkisofsprogram.h"
#include "platform/childprocess.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <unistd.h>

BuildMonitor::BuildMonitor(MonitorTimings timings) : m_timings(timings)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer); // a coarse timer may fire 5 % early
    connect(&m_timer, &QTimer::timeout, this, &BuildMonitor::OnTimer);
}

// m_child's destructor ends a child group that is still there.
BuildMonitor::~BuildMonitor()
{
    if (m_readFd >= 0)
        close(m_readFd);
}

void BuildMonitor::Start(std::unique_ptr<ChildProcess> child, int startError, int captureFd,
                         BuildHooks hooks)
{
    if (IsRunning())
        return;
    // An unobserved child of an earlier run goes first.
    m_child.reset();
    m_child = std::move(child);
    if (m_child)
        connect(m_child.get(), &ChildProcess::Ended, this, &BuildMonitor::OnChildEnded);
    m_startError = startError;
    m_captureFd = captureFd;
    m_hooks = std::move(hooks);
    m_reader = NewestPieceReader();
    m_percent = 0;
    m_stopSignalled = false;
    m_state = State::FirstDelay;
    m_timer.start(m_timings.firstDelay);
}

void BuildMonitor::OnChildEnded()
{
    if (m_state == State::Polling)
        m_timer.start(0);
}

bool BuildMonitor::ChildEnded() const
{
    return m_child && m_child->Reaped();
}

void BuildMonitor::Abort()
{
    if (m_state != State::FirstDelay && m_state != State::Polling)
        return;
    // The window stays live meanwhile; the monitor finishes once the child is gone.
    if (m_child)
        m_child->End(m_timings.killGrace);
    m_stopSignalled = true;
    if (m_state == State::Polling)
        m_timer.start(0);
}

void BuildMonitor::OnTimer()
{
    if (m_state == State::FirstDelay)
        FirstLook();
    else if (m_state == State::Polling)
        Poll();
}

void BuildMonitor::FirstLook()
{
    // A reading descriptor of our own: the child cannot disturb its state.
    m_readFd = m_captureFd >= 0 ? fcntl(m_captureFd, F_DUPFD_CLOEXEC, 3) : -1;
    if (m_readFd < 0 && m_child) {
        // A run that cannot be followed ends without a message of its own.
        // (A failed start has nothing to read and is still reported.)
        m_state = State::Finishing;
        emit Ended(CodeResult(
            BuildOutcome::Unfollowed, OutcomeCode::Success,
            QCoreApplication::translate("BuildEngine", "The build's progress cannot be read.")));
        GiveBack();
        return;
    }
    m_state = State::Polling;
    WaitForPoll();
}

void BuildMonitor::WaitForPoll()
{
    // The wait ends early on an abort or when the child has ended.
    const bool now = m_stopSignalled || ChildEnded();
    m_timer.start(now ? std::chrono::milliseconds(0) : m_timings.pollInterval);
}

void BuildMonitor::ReadPercent()
{
    m_reader.Poll(m_readFd);
    const int value = LeadingNumber(m_reader.Piece());
    if (value <= Mkisofs::ProgressMaximum)
        m_percent = value;
}

void BuildMonitor::Poll()
{
    // An aborted run finishes only once its files are no longer written, so
    // that they can be removed; the child's end polls again.
    if (m_stopSignalled && m_child && !m_child->Reaped())
        return;
    bool done = false;
    bool stopSeen = false;
    if (m_stopSignalled) {
        m_stopSignalled = false;
        done = stopSeen = true;
        m_percent = 0;
    }
    if (!m_child) {
        done = true; // never started: there is no exit code to read
    } else if (const auto status = m_child->Status()) {
        done = true;
        if (status->exited && status->code == Mkisofs::SuccessExitCode)
            m_percent = Mkisofs::ProgressMaximum;
    } else if (!done) {
        ReadPercent();
    }
    emit Progress(m_percent);
    if (done)
        Finish(stopSeen);
    else
        WaitForPoll();
}

void BuildMonitor::Finish(bool stopSeen)
{
    m_state = State::Finishing;
    close(m_readFd);
    m_readFd = -1;
    emit Ended(EndResult(stopSeen));
    GiveBack();
}

void BuildMonitor::GiveBack()
{
    m_state = State::Idle;
    emit Finished();
}

BuildResult BuildMonitor::EndResult(bool stopSeen)
{
    const auto status = m_child ? m_child->Status() : std::nullopt;
    const bool exitZero = status && status->exited && status->code == Mkisofs::SuccessExitCode;
    // An exit code 0 wins even over an abort that came too late.
    if (exitZero && (!m_hooks.onExitZero || m_hooks.onExitZero()))
        return CodeResult(BuildOutcome::Built, OutcomeCode::Success);
    if (m_hooks.onFailure)
        m_hooks.onFailure();
    if (stopSeen && !exitZero)
        return CodeResult(BuildOutcome::Aborted, OutcomeCode::Success);
    if (!m_child)
        return CodeResult(BuildOutcome::BuildFailed, OutcomeCode::SystemError, QString(),
                          m_startError);
    // another exit code, a signal that was not our abort, or an incomplete image
    return CodeResult(exitZero ? BuildOutcome::CheckFailed : BuildOutcome::BuildFailed,
                      OutcomeCode::MkisofsErrors);
}
