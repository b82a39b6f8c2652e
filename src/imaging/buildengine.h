#pragma once

#include "imaging/buildmonitor.h"
#include "imaging/buildoutput.h"
#include "imaging/capturefile.h"
#include "imaging/fieldvalues.h"
#include "imaging/monitortimings.h"
#include "imaging/outputlock.h"

#include <QObject>
#include <QString>

class BuildWindow;
class MessageBoxPresenter;
class ProgramSettings;

// Turns the main window's fields into one mkisofs run and follows it: the
// request checks, the private capture file, the child started without a shell,
// the monitor, and at the end the read-back check of the image. The Output
// File stays locked from the request check to the end. A run that fails or is
// aborted loses the files it wrote. The main window owns one for its whole
// life and binds "&Image" and "&Abort" to it.
class BuildEngine : public QObject
{
    Q_OBJECT

public:
    BuildEngine(BuildWindow& window, MessageBoxPresenter& presenter, ProgramSettings& settings,
                MonitorTimings timings = {});
    ~BuildEngine() override;
    BuildEngine(const BuildEngine&) = delete;
    BuildEngine& operator=(const BuildEngine&) = delete;

    // The folder that holds mkisofs.
    void SetProgramFolder(const QString& folder) { m_programFolder = folder; }

    // Checks the request and starts mkisofs; returns at once while it runs.
    // Does nothing while a build runs.
    void StartBuild();

    // Ends the running mkisofs; the monitor finishes without a message.
    void AbortBuild();

    // Aborts and runs the event loop until the build has finished, files
    // cleaned up, as before the window closes. Not for a signal handler: a
    // box's own loop may be running below it.
    void AbortAndWait();

    bool IsBuilding() const { return m_monitor.IsRunning(); }

    // What the log window shows: everything mkisofs printed in the last build,
    // followed by the program's own lines on the image check and clean-up.
    QString CaptureFilePath() const { return m_capture.Path(); }

    BuildMonitor& Monitor() { return m_monitor; }

signals:
    // A complete image, read back and found whole, before the success box:
    // what the image list and the recorder launch start from.
    void ImageBuilt(const QString& outputFile, int chunkCount);
    void BuildFinished();

private:
    [[nodiscard]] bool CheckRequest();
    [[nodiscard]] bool TakePaths(FieldValues& fields);
    [[nodiscard]] bool ClaimOutput(const QString& outputFile);
    bool Refuse(const QString& text);
    void StartMkisofs();
    bool FinishExitZero();
    void RemoveWrittenFiles();
    void OnMonitorFinished();

    BuildWindow& m_window;
    MessageBoxPresenter& m_presenter;
    ProgramSettings& m_settings;
    QString m_programFolder;
    CaptureFile m_capture;
    BuildOutput m_output;
    OutputLock m_lock;
    BuildMonitor m_monitor;
    int m_exitCleanup = 0; // while a build may leave written files behind
};
