#include "platform/detachedprocess.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// Only async-signal-safe calls from here on: the parent may have threads.
// The program starts with default signal handling, whatever this process set.
void ResetSignals()
{
    struct sigaction standard = {};
    standard.sa_handler = SIG_DFL;
    for (int number = 1; number < NSIG; ++number) {
        if (number != SIGKILL && number != SIGSTOP)
            sigaction(number, &standard, nullptr);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

[[noreturn]] void RunGrandchild(const char* path, char* const* argv, int errorPipe)
{
    ResetSignals();
    execve(path, argv, environ);
    const int error = errno;
    ssize_t ignored = write(errorPipe, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

[[noreturn]] void RunIntermediate(const char* path, char* const* argv, int errorPipe)
{
    setsid();
    const pid_t grandchild = fork();
    if (grandchild == 0)
        RunGrandchild(path, argv, errorPipe);
    if (grandchild < 0) {
        const int error = errno;
        ssize_t ignored = write(errorPipe, &error, sizeof error);
        (void)ignored;
    }
    _exit(0);
}

int ReadStartError(int errorPipe)
{
    int error = 0;
    ssize_t got;
    do {
        got = read(errorPipe, &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

} // namespace

int StartDetached(const QString& program, const QStringList& arguments)
{
    std::vector<QByteArray> storage;
    storage.push_back(QFile::encodeName(program));
    for (const QString& argument : arguments)
        storage.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& bytes : storage)
        argv.push_back(bytes.data());
    argv.push_back(nullptr);

    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0)
        return errno;
    const pid_t intermediate = fork();
    if (intermediate == 0) {
        close(errorPipe[0]);
        RunIntermediate(argv[0], argv.data(), errorPipe[1]);
    }
    const int forkError = errno;
    close(errorPipe[1]);
    if (intermediate < 0) {
        close(errorPipe[0]);
        return forkError;
    }
    int status = 0;
    while (waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes when the grandchild has executed the program (close on
    // exec) or has written why it could not.
    const int error = ReadStartError(errorPipe[0]);
    close(errorPipe[0]);
    return error;
}
