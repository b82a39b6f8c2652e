#include "imaging/buildmonitor.h"

#include "imaging/buildwindow.h"
#include "imaging/mkisofsprogram.h"
#include "imaging/outcome.h"
#include "platform/childprocess.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::chrono::milliseconds ReapCheckInterval{50};
} // namespace

BuildMonitor::BuildMonitor(BuildWindow& window, MessageBoxPresenter& presenter,
                           MonitorTimings timings)
    : m_window(window), m_presenter(presenter), m_timings(timings)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer); // a coarse timer may fire 5 % early
    m_killTimer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &BuildMonitor::OnTimer);
    connect(&m_killTimer, &QTimer::timeout, this, [this] {
        if (m_child)
            m_child->Signal(SIGKILL);
    });
    connect(&m_reapTimer, &QTimer::timeout, this, [this] {
        if (ChildEnded())
            OnChildEnded();
    });
}

BuildMonitor::~BuildMonitor()
{
    if (m_readFd >= 0)
        close(m_readFd);
    // The notifier goes before the process descriptor it watches; then
    // m_child's destructor ends and reaps a child that is still there.
    delete m_childEnd;
}

void BuildMonitor::Start(std::unique_ptr<ChildProcess> child, int startError, int captureFd,
                         std::function<void()> onSuccess)
{
    if (IsRunning())
        return;
    // A child from an aborted run that outlived its grace goes first.
    m_killTimer.stop();
    delete m_childEnd;
    m_childEnd = nullptr;
    m_child.reset();
    m_child = std::move(child);
    m_startError = startError;
    m_captureFd = captureFd;
    m_onSuccess = std::move(onSuccess);
    m_reader = NewestPieceReader();
    m_percent = 0;
    m_stopSignalled = false;
    m_seenRunning = false;
    WatchChild();
    m_state = State::FirstDelay;
    m_timer.start(m_timings.firstDelay);
}

void BuildMonitor::WatchChild()
{
    delete m_childEnd;
    m_childEnd = nullptr;
    m_reapTimer.stop();
    if (!m_child)
        return;
    if (m_child->ExitNotifierFd() < 0) {
        m_reapTimer.start(ReapCheckInterval);
        return;
    }
    m_childEnd = new QSocketNotifier(m_child->ExitNotifierFd(), QSocketNotifier::Read, this);
    connect(m_childEnd, &QSocketNotifier::activated, this, [this] {
        if (ChildEnded())
            OnChildEnded();
    });
}

void BuildMonitor::OnChildEnded()
{
    // Reaped or lost: the descriptor stays readable, so stop listening to it.
    if (m_childEnd)
        m_childEnd->setEnabled(false);
    m_reapTimer.stop();
    m_killTimer.stop();
    if (m_state == State::Polling && m_timer.isActive())
        m_timer.start(0);
}

bool BuildMonitor::ChildEnded()
{
    return m_child && (m_child->TryReap().has_value() || m_child->WaitError() != 0);
}

void BuildMonitor::Abort()
{
    if (m_state != State::FirstDelay && m_state != State::Polling)
        return;
    if (m_child && !m_child->TryReap()) {
        m_child->Signal(SIGTERM);
        m_killTimer.start(m_timings.killGrace);
    }
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
        // A run that cannot be followed: give the window back without a message.
        // (A failed start has nothing to read and is still reported.)
        m_state = State::Finishing;
        m_window.LeaveBusyState();
        m_window.EnableLog();
        m_state = State::Idle;
        emit Finished();
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
    bool done = false;
    bool stopSeen = false;
    if (m_stopSignalled) {
        m_stopSignalled = false;
        done = stopSeen = true;
        m_percent = 0;
    }
    if (!m_child) {
        done = true; // never started: there is no exit code to read
    } else if (const auto status = m_child->TryReap()) {
        done = true;
        if (status->exited && status->code == Mkisofs::SuccessExitCode)
            m_percent = Mkisofs::ProgressMaximum;
    } else if (m_child->WaitError() != 0) {
        done = true; // the exit status is lost and can never be read
    } else {
        m_seenRunning = true;
        if (!done)
            ReadPercent();
    }
    ShowPercent(m_window, m_percent);
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
    ReportEnd(stopSeen);
    m_window.LeaveBusyState();
    m_window.EnableLog();
    m_state = State::Idle;
    emit Finished();
}

void BuildMonitor::ReportEnd(bool stopSeen)
{
    const auto status = m_child ? m_child->Status() : std::nullopt;
    if (status && status->exited && status->code == Mkisofs::SuccessExitCode) {
        // An exit code 0 wins even over an abort that came too late.
        if (m_onSuccess)
            m_onSuccess();
        ReportOutcome(m_presenter, Outcome::Success, QString());
    } else if (stopSeen) {
        return; // aborted: no message
    } else if (!m_child) {
        ReportOutcome(m_presenter, Outcome::SystemError, QString(), m_startError);
    } else if (m_child->WaitError() != 0 && !m_seenRunning) {
        // No exit code was ever read: a system error, as for a failed start.
        ReportOutcome(m_presenter, Outcome::SystemError, QString(), m_child->WaitError());
    } else {
        // Another exit code, or a signal that was not our abort.
        ReportOutcome(m_presenter, Outcome::MkisofsErrors, QString());
    }
}
