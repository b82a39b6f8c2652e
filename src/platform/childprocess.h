#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <chrono>
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

// One child process started without a shell, in a process group of its own.
// Standard input is the null device; standard output and standard error both
// append to one file, so the child's output keeps the order in which it was
// written. Environment and working folder are inherited. The child gets a
// parent-death signal, and the whole group is ended with this object, so
// nothing it started outlives the program.
class ChildProcess : public QObject
{
    Q_OBJECT

public:
    // Starts program (a path, not searched in PATH) with argv[0] = program.
    // Returns null and sets *startError to the errno of the failed start.
    [[nodiscard]] static std::unique_ptr<ChildProcess> Start(const QString& program,
                                                             const QStringList& arguments,
                                                             const QString& outputFile,
                                                             int* startError);

    ~ChildProcess() override;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return m_pid; }

    // Set once the child has ended and was reaped; it stays.
    std::optional<ChildStatus> Status() const { return m_status; }
    bool Reaped() const { return m_status.has_value(); }

    // Sends a signal to the child's whole group unless the child was reaped.
    void SignalGroup(int signal);

    // SIGTERM to the group, SIGKILL to what is left after the grace, and waits
    // for the child: a wrapper's own children end too.
    ChildStatus EndGroup(std::chrono::milliseconds grace);

signals:
    // The child has ended; Status() holds how.
    void Ended();

private:
    ChildProcess();
    void Record(int exitCode, QProcess::ExitStatus exitStatus);

    QProcess m_process;
    pid_t m_pid = 0;
    std::optional<ChildStatus> m_status;
};
