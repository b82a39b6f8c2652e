#include "cli/buildrun.h"

#include "imaging/directorysize.h"
#include "platform/terminationsignals.h"

#include <QElapsedTimer>
#include <QEventLoop>

BuildResult BuildRun::Run(const BuildRequest& request, BuildDecisions& decisions)
{
    const BuildStart start = m_engine.Start(request, decisions);
    if (start.refusal)
        return *start.refusal;
    return Follow(start.request);
}

BuildResult BuildRun::Follow(const BuildRequest& request)
{
    BuildResult result;
    QEventLoop loop;
    const TerminationSignals termination([this](int signal) {
        if (m_signal == 0)
            m_signal = signal;
        m_engine.Abort();
    });
    QElapsedTimer elapsed;
    elapsed.start();
    ProgressSample sample{0, 0, MeasureDirectorySize(request.sourceDirectory)};
    m_printer.Begin(request.outputFile);
    QObject::connect(&m_engine, &BuildEngine::Progress, &loop, [&](int percent) {
        if (m_signal != 0)
            return; // the abort's own 0 % is no progress
        sample.percent = percent;
        sample.elapsedSeconds = static_cast<double>(elapsed.elapsed()) / 1000;
        m_printer.Show(sample);
    });
    QObject::connect(&m_engine, &BuildEngine::Ended, &loop,
                     [&result](const BuildResult& ended) { result = ended; });
    QObject::connect(&m_engine, &BuildEngine::Finished, &loop, &QEventLoop::quit);
    if (m_engine.IsBuilding())
        loop.exec();
    m_printer.End();
    return result;
}
