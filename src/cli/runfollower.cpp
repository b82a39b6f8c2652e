#include "cli/runfollower.h"

RunFollower::RunFollower(ProgressPrinter& printer, std::function<void()> abort)
    : m_printer(printer), m_abort(std::move(abort)), m_termination([this](int signal) {
          if (m_signal == 0)
              m_signal = signal;
          m_abort();
      })
{}

void RunFollower::Begin(const QString& output, double totalBytes)
{
    m_rate.Begin(totalBytes);
    m_printer.Begin(output);
}

void RunFollower::Show(int percent)
{
    if (m_signal != 0)
        return; // the abort's own 0 % is no progress
    m_printer.Show(m_rate.Sample(percent));
}

void RunFollower::Wait(bool running)
{
    if (running)
        m_loop.exec();
    m_printer.End();
}
