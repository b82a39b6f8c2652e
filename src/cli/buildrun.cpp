#include "cli/buildrun.h"

#include "cli/runfollower.h"
#include "imaging/directorysize.h"

BuildResult BuildRun::Run(const BuildRequest& request, BuildDecisions& decisions)
{
    const BuildStart start = m_engine.Start(request, decisions);
    m_taken = start.request;
    if (start.refusal)
        return *start.refusal;
    return Follow(start.request);
}

BuildResult BuildRun::Follow(const BuildRequest& request)
{
    BuildResult result;
    RunFollower follower(m_printer, [this] { m_engine.Abort(); });
    follower.Begin(request.outputFile, MeasureDirectorySize(request.sourceDirectory));
    QObject::connect(&m_engine, &BuildEngine::Progress, follower.Context(),
                     [&follower](int percent) { follower.Show(percent); });
    QObject::connect(&m_engine, &BuildEngine::Ended, follower.Context(),
                     [&result](const BuildResult& ended) { result = ended; });
    QObject::connect(&m_engine, &BuildEngine::Finished, follower.Context(),
                     [&follower] { follower.Quit(); });
    follower.Wait(m_engine.IsBuilding());
    if (m_signal == 0)
        m_signal = follower.Signal();
    return result;
}
