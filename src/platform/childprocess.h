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

// Which of a child's output streams are kept; a dropped one goes to the null device.
enum class ChildOutput
{
    Both, // output and error share one stream, in the order they were written
    OutputOnly,
    ErrorOnly,
};

// Where a child's standard streams go.
struct ChildStreams
{
    // What is kept appends to this file; empty: it is read through Channels().
    QString outputFile;
    // Standard input is written through Channels(); otherwise it is the null device.
    bool input = false;
    ChildOutput kept = ChildOutput::Both;
};

// How far a child is bound to this program.
enum class ChildTie
{
    // A process group of its own, ended when the child ends, when the program
    // ends and when it dies: nothing the child started outlives either.
    Program,
    // What it starts may outlive it and the program, as the browser a desktop
    // opener runs, which the user keeps; only the child itself is signalled.
    Loose,
};

// One child process started without a shell. Environment and working folder
// are inherited. A child tied to the program gets a parent-death signal and
// its group is watched by the exit guard; when it ends, what it left in its
// group ends too.
class ChildProcess : public QObject
{
    Q_OBJECT

public:
    // Starts program (a path, not searched in PATH) with argv[0] = program.
    // Returns null and sets *startError to the errno of the failed start.
    [[nodiscard]] static std::unique_ptr<ChildProcess> Start(const QString& program,
                                                             const QStringList& arguments,
                                                             const ChildStreams& streams,
                                                             int* startError);
    [[nodiscard]] static std::unique_ptr<ChildProcess> Start(const QString& program,
                                                             const QStringList& arguments,
                                                             const ChildStreams& streams,
                                                             ChildTie tie, int* startError);
    // Output and error appended to outputFile, input from the null device.
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

    // The child's piped streams, for reading its output and writing its input;
    // it is started and ended only through this class.
    QProcess& Channels() { return m_process; }

    // Sends a signal to the child's whole group (a loose child alone) unless
    // the child was reaped.
    void SignalGroup(int signal);

    // SIGTERM to the group now, SIGKILL after the grace; returns at once.
    // Ended follows once the child is reaped.
    void End(std::chrono::milliseconds grace);

    // As End, but waits for the child: only for a program about to end,
    // since the event loop stands still meanwhile.
    ChildStatus EndGroup(std::chrono::milliseconds grace);

signals:
    // The child has ended; Status() holds how.
    void Ended();

private:
    explicit ChildProcess(ChildTie tie);
    [[nodiscard]] bool Launch(const QString& program, const QStringList& arguments,
                              const ChildStreams& streams, int* startError);
    void Record(int exitCode, QProcess::ExitStatus exitStatus);

    QProcess m_process;
    ChildTie m_tie;
    bool m_ending = false;
    pid_t m_pid = 0;
    std::optional<ChildStatus> m_status;
};
