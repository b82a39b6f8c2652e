#include "platform/childprocess.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// Keeps the 8-bit argument texts alive while argv points into them.
struct ArgumentVector
{
    explicit ArgumentVector(const QStringList& texts)
    {
        for (const QString& text : texts)
            storage.push_back(QFile::encodeName(text));
        for (QByteArray& bytes : storage)
            pointers.push_back(bytes.data());
        pointers.push_back(nullptr);
    }
    std::vector<QByteArray> storage;
    std::vector<char*> pointers;
};

// The child starts with default dispositions and no blocked signals, whatever
// the GUI thread had set, so that SIGTERM ends it.
int PrepareAttributes(posix_spawnattr_t* attributes)
{
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    sigdelset(&all, SIGKILL);
    sigdelset(&all, SIGSTOP);
    int error = posix_spawnattr_init(attributes);
    if (error == 0)
        error = posix_spawnattr_setsigmask(attributes, &none);
    if (error == 0)
        error = posix_spawnattr_setsigdefault(attributes, &all);
    if (error == 0)
        error =
            posix_spawnattr_setflags(attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    return error;
}

int PrepareFiles(posix_spawn_file_actions_t* actions, int outputFd)
{
    int error = posix_spawn_file_actions_init(actions);
    if (error == 0)
        error = posix_spawn_file_actions_addopen(actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (error == 0)
        error = posix_spawn_file_actions_adddup2(actions, outputFd, STDOUT_FILENO);
    if (error == 0)
        error = posix_spawn_file_actions_adddup2(actions, outputFd, STDERR_FILENO);
    return error;
}

// Called through syscall: Debian 12's libc header for these lacks C linkage.
int OpenProcessFd(pid_t pid)
{
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}

int SendSignalThroughFd(int pidfd, int signal)
{
    return static_cast<int>(syscall(SYS_pidfd_send_signal, pidfd, signal, nullptr, 0));
}

// An ignored SIGCHLD, inherited from whoever started this program, makes the
// kernel discard every child's exit status; the default keeps it for waitpid.
void KeepExitStatuses()
{
    struct sigaction current = {};
    if (sigaction(SIGCHLD, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) {
        struct sigaction standard = {};
        standard.sa_handler = SIG_DFL;
        sigaction(SIGCHLD, &standard, nullptr);
    }
}

} // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const QString& program,
                                                  const QStringList& arguments, int outputFd,
                                                  int* startError)
{
    // A descriptor among 0..2 would be overwritten by the redirection itself.
    if (outputFd <= STDERR_FILENO) {
        *startError = EBADF;
        return nullptr;
    }
    KeepExitStatuses();
    const QByteArray path = QFile::encodeName(program);
    ArgumentVector argv(QStringList(program) + arguments);
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
    int error = PrepareAttributes(&attributes);
    if (error == 0)
        error = PrepareFiles(&actions, outputFd);
    pid_t pid = -1;
    if (error == 0) // glibc reports a failed exec here, with its errno
        error = posix_spawn(&pid, path.constData(), &actions, &attributes, argv.pointers.data(),
                            environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        *startError = error;
        return nullptr;
    }
    *startError = 0;
    return std::unique_ptr<ChildProcess>(new ChildProcess(pid, OpenProcessFd(pid)));
}

ChildProcess::ChildProcess(pid_t pid, int pidfd) : m_pid(pid), m_pidfd(pidfd)
{
    if (m_pidfd >= 0)
        fcntl(m_pidfd, F_SETFD, FD_CLOEXEC);
}

ChildProcess::~ChildProcess()
{
    if (!Reaped())
        KillAndReap();
    if (m_pidfd >= 0)
        close(m_pidfd);
}

void ChildProcess::Record(int waitStatus)
{
    ChildStatus status;
    status.exited = WIFEXITED(waitStatus);
    status.code = status.exited ? WEXITSTATUS(waitStatus) : 0;
    status.signal = WIFSIGNALED(waitStatus) ? WTERMSIG(waitStatus) : 0;
    m_status = status;
}

std::optional<ChildStatus> ChildProcess::TryReap()
{
    // After a lost status the pid may name another child of ours by now.
    if (Reaped() || m_waitError != 0)
        return m_status;
    int waitStatus = 0;
    pid_t result;
    do {
        result = waitpid(m_pid, &waitStatus, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == m_pid)
        Record(waitStatus);
    else if (result < 0)
        m_waitError = errno;
    return m_status;
}

void ChildProcess::Signal(int signal)
{
    if (Reaped() || m_waitError != 0)
        return;
    // The pidfd names this very process even if its pid were reused.
    if (m_pidfd >= 0)
        SendSignalThroughFd(m_pidfd, signal);
    else
        kill(m_pid, signal);
}

ChildStatus ChildProcess::KillAndReap()
{
    if (Reaped())
        return *m_status;
    if (m_waitError != 0)
        return {}; // gone already; waiting could only catch another child
    Signal(SIGKILL);
    int waitStatus = 0;
    pid_t result;
    do {
        result = waitpid(m_pid, &waitStatus, 0);
    } while (result < 0 && errno == EINTR);
    if (result == m_pid)
        Record(waitStatus);
    else
        m_status = ChildStatus{}; // reaped elsewhere; nothing is left to wait for
    return *m_status;
}
