#include "fakes/enginerun.h"

#include "support/eventloop.h"

EngineRun::EngineRun(MonitorTimings timings) : engine(timings)
{
    QObject::connect(&engine, &BuildEngine::Progress, &engine, [this](int percent) {
        progress << percent;
        events << QStringLiteral("progress %1").arg(percent);
    });
    QObject::connect(&engine, &BuildEngine::ImageBuilt, &engine,
                     [this](const QString& outputFile, int chunkCount) {
                         builtChunks = chunkCount;
                         events << QStringLiteral("built %1 %2").arg(outputFile).arg(chunkCount);
                     });
    QObject::connect(&engine, &BuildEngine::Ended, &engine, [this](const BuildResult& ended) {
        result = ended;
        events << QStringLiteral("ended");
    });
    QObject::connect(&engine, &BuildEngine::Finished, &engine, [this] {
        finished = true;
        events << QStringLiteral("finished");
    });
}

BuildStart EngineRun::Start(const BuildRequest& request)
{
    result = BuildResult();
    events.clear();
    progress.clear();
    builtChunks = -1;
    finished = false;
    const BuildStart start = engine.Start(request, decisions);
    if (start.refusal) {
        result = *start.refusal;
        finished = true;
    }
    return start;
}

bool EngineRun::WaitForEnd(int timeoutMs)
{
    return RunUntil([this] { return finished; }, timeoutMs);
}

bool EngineRun::Build(const BuildRequest& request, int timeoutMs)
{
    Start(request);
    return WaitForEnd(timeoutMs);
}

QString EngineRun::Message() const
{
    return ResultBox(result).text;
}

QString EngineRun::Caption() const
{
    return ResultBox(result).caption;
}

bool EngineRun::Silent() const
{
    return ShowsNoBox(result);
}

QByteArray EngineRun::Capture() const
{
    QFile file(engine.CaptureFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
