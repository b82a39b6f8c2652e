#pragma once

#include "imaging/buildresult.h"
#include "imaging/monitortimings.h"
#include "imaging/newestpiece.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class ChildProcess;

// What the owner of a build does at its end, before the message.
struct BuildHooks
{
    // After exit code 0: true when the image is complete and the run succeeded;
    // false turns the run into a failure.
    std::function<bool()> onExitZero;
    // After a failed or aborted run.
    std::function<void()> onFailure;
};

// Follows one mkisofs run on the event loop, driven by timers and the child's
// end, so a window stays responsive: after the first delay it polls at the
// poll interval, or at once when the child ends or the build is aborted. Each
// poll reports the percentage that the newest piece of the capture file begins
// with. At the end it reports the result, while still running, then finishes.
class BuildMonitor : public QObject
{
    Q_OBJECT

public:
    explicit BuildMonitor(MonitorTimings timings = {});
    ~BuildMonitor() override;

    // Follows a started child, or a start that failed with startError (child
    // null). captureFd stays the caller's.
    void Start(std::unique_ptr<ChildProcess> child, int startError, int captureFd,
               BuildHooks hooks);

    // Ends the child's process group (SIGTERM, SIGKILL after the grace)
    // without waiting; the monitor ends, as aborted, once it has ended.
    void Abort();

    // From Start until Finished.
    bool IsRunning() const { return m_state != State::Idle; }

    int Percent() const { return m_percent; }

    // The child of the current or last run; null after a failed start.
    const ChildProcess* Child() const { return m_child.get(); }

signals:
    void Progress(int percent);
    // How the run ended; a run that could not be followed ends as Unfollowed.
    void Ended(const BuildResult& result);
    void Finished();

private:
    enum class State
    {
        Idle,
        FirstDelay,
        Polling,
        Finishing,
    };

    void OnTimer();
    void FirstLook();
    void WaitForPoll();
    void Poll();
    void Finish(bool stopSeen);
    BuildResult EndResult(bool stopSeen);
    bool ChildEnded() const;
    void OnChildEnded();
    void ReadPercent();
    void GiveBack();

    MonitorTimings m_timings;
    State m_state = State::Idle;
    QTimer m_timer;
    std::unique_ptr<ChildProcess> m_child;
    int m_startError = 0;
    int m_captureFd = -1;
    int m_readFd = -1;
    BuildHooks m_hooks;
    NewestPieceReader m_reader;
    int m_percent = 0;
    bool m_stopSignalled = false;
};
