#include "cli/runfollower.h"

RunFollower::RunFollower(ProgressPrinter& printer, std::function<void()> abort)
    : m_printer(printer), m_abort(std::move(abort)), m_termination([this](int signal) {
          if (m_signal == 0)
              m_signal = signal;
          m_abort();
      })
{
    m_elapsed.start();
}

void RunFollower::Begin(const QString& output, double totalBytes)
{
    m_elapsed.restart();
    m_sample = ProgressSample{0, 0, totalBytes};
    m_printer.Begin(output);
}

void RunFollower::Show(int percent)
{
    if (m_signal != 0)
        return; // the abort's own 0 % is no progress
    m_sample.percent = percent;
    m_sample.elapsedSeconds = static_cast<double>(m_elapsed.elapsed()) / 1000;
    m_printer.Show(m_sample);
}

void RunFollower::Wait(bool running)
{
    if (running)
        m_loop.exec();
    m_printer.End();
}
