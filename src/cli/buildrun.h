#pragma once

#include "cli/progressprinter.h"
#include "imaging/buildengine.h"

class BuildDecisions;

// Runs one build to its end on the event loop, printing its progress. SIGINT,
// SIGTERM and SIGHUP abort it: the child's group ends and what it wrote goes.
class BuildRun
{
public:
    BuildRun(BuildEngine& engine, ProgressPrinter& printer) : m_engine(engine), m_printer(printer)
    {}

    BuildResult Run(const BuildRequest& request, BuildDecisions& decisions);

    // The last request as the engine took it: absolute, the label derived (as
    // far as it got when refused).
    [[nodiscard]] const BuildRequest& Taken() const { return m_taken; }
    // The signal that stopped the run, or 0.
    int StopSignal() const { return m_signal; }

private:
    BuildResult Follow(const BuildRequest& request);

    BuildEngine& m_engine;
    ProgressPrinter& m_printer;
    BuildRequest m_taken;
    int m_signal = 0;
};
