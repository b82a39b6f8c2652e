#pragma once

#include "imaging/buildmonitor.h"
#include "imaging/buildoutput.h"
#include "imaging/buildrequest.h"
#include "imaging/buildresult.h"
#include "imaging/capturefile.h"
#include "imaging/mkisofscommandline.h"
#include "imaging/monitortimings.h"
#include "imaging/outputlock.h"

#include <QObject>
#include <QString>

#include <optional>

class BuildDecisions;

// What Start made of a request: the request as far as it was taken (absolute,
// resolved, the label derived), and the refusal when the build did not start.
struct BuildStart
{
    BuildRequest request;
    RequestStage stage = RequestStage::Taken;
    std::optional<BuildResult> refusal;
};

// Turns one request into one mkisofs run and follows it: the request checks,
// the private capture file, the child started without a shell, the monitor,
// and at the end the read-back check of the image. The Output File stays
// locked from the request check to the end. The builder writes in a private
// folder beside the Output File; only an image found whole is renamed onto
// it, so a run that fails or is aborted loses only the files it wrote. It
// knows no window: a face asks through Start, answers its questions through
// BuildDecisions and hears the rest by signal.
class BuildEngine : public QObject
{
    Q_OBJECT

public:
    explicit BuildEngine(MonitorTimings timings = {});
    ~BuildEngine() override;
    BuildEngine(const BuildEngine&) = delete;
    BuildEngine& operator=(const BuildEngine&) = delete;

    // The folder that holds mkisofs.
    void SetProgramFolder(const QString& folder) { m_programFolder = folder; }

    // Checks the request and starts mkisofs; returns at once while it runs.
    // A refused request ends here, without any signal.
    BuildStart Start(const BuildRequest& request, BuildDecisions& decisions);

    // Ends the running mkisofs; the build ends as aborted.
    void Abort();

    // Aborts and runs the event loop until the build has finished, files
    // cleaned up. Not for a signal handler: a box's own loop may be running below it.
    void AbortAndWait();

    // Also while the builder is asked for the room a failed image needed.
    bool IsBuilding() const { return m_monitor.IsRunning() || m_countingRoom; }

    // Everything mkisofs printed in the last build, followed by the program's
    // own lines on the image check and clean-up.
    QString CaptureFilePath() const { return m_capture.Path(); }

    BuildMonitor& Monitor() { return m_monitor; }

signals:
    void Progress(int percent);
    // A complete image, read back and found whole, before Ended.
    void ImageBuilt(const QString& outputFile, int chunkCount);
    // How a started build ended, while the Output File is still locked.
    void Ended(const BuildResult& result);
    // After Ended, once the lock is gone.
    void Finished();

private:
    [[nodiscard]] std::optional<BuildResult> Check(BuildStart& start, BuildDecisions& decisions);
    [[nodiscard]] std::optional<BuildResult> TakePaths(BuildRequest& request);
    [[nodiscard]] std::optional<BuildResult> ClaimOutput(const BuildRequest& request);
    [[nodiscard]] std::optional<BuildResult> CheckSize(const BuildRequest& request,
                                                       BuildDecisions& decisions);
    void StartMkisofs();
    bool FinishExitZero();
    void RemoveWrittenFiles();
    [[nodiscard]] bool NeedsRoomCount(const BuildResult& result) const;
    void AddFailureNotes(BuildResult& result, qint64 neededBytes) const;
    void AddRoomNote(BuildResult& result, qint64 neededBytes) const;
    void OnMonitorEnded(const BuildResult& result);
    void EndWith(BuildResult result, qint64 neededBytes);
    void OnMonitorFinished();

    QString m_programFolder;
    BuildRequest m_request;   // the running build's
    MkisofsRequest m_command; // what the builder was asked
    QString m_target;         // where its image finally lands, links resolved
    bool m_hadEarlierImage = false;
    QString m_startProblem;      // why the builder could not be started
    QString m_checkProblem;      // what the image check found wrong
    qint64 m_freeAtFailure = -1; // bytes free beside the image when the build failed
    bool m_countingRoom = false; // Ended waits for the builder's count of the image
    bool m_finishWaits = false;  // Finished waits for Ended
    QStringList m_startLines;    // the checks' notes, for the log before the builder's
    QStringList m_parts;         // the complete image's, once read back
    CaptureFile m_capture;
    BuildOutput m_output;
    OutputLock m_lock;
    BuildMonitor m_monitor;
    int m_exitCleanup = 0; // while a build may leave written files behind
};
