#include "platform/terminationsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kHandled[] = {SIGTERM, SIGHUP, SIGINT};
int g_writeEnd = -1;

// Only the write is async-signal-safe; the work happens on the event loop.
void OnSignal(int number)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    if (g_writeEnd >= 0) {
        const ssize_t ignored = write(g_writeEnd, &byte, 1);
        (void)ignored;
    }
    errno = saved;
}

void Handle(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kHandled)
        sigaction(number, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal)
    : m_onSignal(std::move(onSignal))
{
    if (pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals keep their default handling: the program just ends
    g_writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::Drain);
    Handle(OnSignal);
}

TerminationSignals::~TerminationSignals()
{
    if (m_pipe[0] < 0)
        return;
    Handle(SIG_DFL);
    g_writeEnd = -1;
    close(m_pipe[0]);
    close(m_pipe[1]);
}

void TerminationSignals::Drain()
{
    unsigned char byte = 0;
    while (read(m_pipe[0], &byte, 1) == 1) {
        if (m_onSignal)
            m_onSignal(byte);
    }
}
