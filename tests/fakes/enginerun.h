#pragma once

#include "fakes/scripteddecisions.h"
#include "imaging/buildengine.h"

#include <QList>
#include <QStringList>

// Drives a BuildEngine as a face does, without a window: starts requests with
// scripted answers and records what the engine said, in order.
class EngineRun
{
public:
    explicit EngineRun(MonitorTimings timings = {});

    // Starts the request; a refusal is the result at once.
    BuildStart Start(const BuildRequest& request);
    // Runs the event loop until the started build has finished; false on time-out.
    bool WaitForEnd(int timeoutMs = 30000);
    // Both; a refused request counts as ended.
    bool Build(const BuildRequest& request, int timeoutMs = 30000);

    // The result's message, as the window's box and the command line show it.
    QString Message() const;
    QString Caption() const;
    // Whether the result goes without a message: an abort, a No.
    bool Silent() const;
    QByteArray Capture() const;

    BuildEngine engine;
    ScriptedDecisions decisions;
    BuildResult result;    // the last refusal or end
    QStringList events;    // "progress N", "built <file> N", "ended", "finished"
    QList<int> progress;   // every percentage, in order
    int builtChunks = -1;  // as ImageBuilt said; -1 without a complete image
    bool finished = false; // since the last Start
};
