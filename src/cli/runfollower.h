#pragma once

#include "cli/progressprinter.h"
#include "imaging/progressrate.h"
#include "platform/terminationsignals.h"

#include <QEventLoop>

#include <functional>

// Follows one long run, a build or a recording, on the event loop until it
// ends: prints its progress, and turns SIGINT, SIGTERM and SIGHUP into an
// abort of it. One at a time, as the signals allow.
class RunFollower
{
public:
    RunFollower(ProgressPrinter& printer, std::function<void()> abort);

    // The receiver for the run's signals, so that they are cut when it goes.
    [[nodiscard]] QObject* Context() { return &m_loop; }
    // Starts the progress of `output`, a run that moves about totalBytes.
    void Begin(const QString& output, double totalBytes);
    void Show(int percent);
    void Quit() { m_loop.quit(); }
    // Runs the event loop until Quit, unless the run has ended already; then
    // ends the progress line.
    void Wait(bool running);
    // The first signal that stopped the run, or 0.
    [[nodiscard]] int Signal() const { return m_signal; }

private:
    ProgressPrinter& m_printer;
    std::function<void()> m_abort;
    QEventLoop m_loop;
    ProgressRate m_rate;
    int m_signal = 0;
    TerminationSignals m_termination; // last: it calls into the members above
};
