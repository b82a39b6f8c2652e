#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <sys/types.h>

// How a child ended: with an exit code, or killed by a signal.
struct ChildStatus
{
    bool exited = false; // true: code is valid; false: signal is valid
    int code = 0;
    int signal = 0;
};

// One child process started without a shell. Standard input is /dev/null;
// standard output and standard error share one descriptor, so the child's
// output keeps the order in which it was written. Environment and working
// folder are inherited. The owner must reap it; the destructor kills and reaps
// a child that is still there, so none is left behind as a zombie or orphan.
class ChildProcess
{
public:
    // Starts program (a path, not searched in PATH) with argv[0] = program.
    // Returns null and sets *startError to the errno of the failed start.
    static std::unique_ptr<ChildProcess> Start(const QString& program, const QStringList& arguments,
                                               int outputFd, int* startError);

    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return m_pid; }

    // A descriptor that becomes readable when the child ends, or -1 when the
    // kernel offers none (callers then poll TryReap).
    int ExitNotifierFd() const { return m_pidfd; }

    // Reaps the child if it has ended; never blocks. Once reaped, the status stays.
    std::optional<ChildStatus> TryReap();
    std::optional<ChildStatus> Status() const { return m_status; }
    bool Reaped() const { return m_status.has_value(); }

    // The errno of a wait that failed for good: the status was taken elsewhere
    // (as when SIGCHLD is ignored) and can never be read. 0 while none did.
    int WaitError() const { return m_waitError; }

    // Sends a signal unless the child was already reaped (its pid may be reused).
    void Signal(int signal);

    // SIGKILL if still there, then waits for it.
    ChildStatus KillAndReap();

private:
    ChildProcess(pid_t pid, int pidfd);
    void Record(int waitStatus);

    pid_t m_pid;
    int m_pidfd;
    std::optional<ChildStatus> m_status;
    int m_waitError = 0;
};
