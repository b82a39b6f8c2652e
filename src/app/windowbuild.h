#pragma once

#include "app/fieldvalues.h"
#include "controls/messagebox.h"
#include "imaging/builddecisions.h"
#include "imaging/buildengine.h"

#include <QObject>

class BuildWindow;
class MessageBoxPresenter;
class ProgramSettings;

// The main window's side of a build: its fields become the request, the
// engine's questions and results become its boxes, progress its bar, label
// and title. The window owns one for its whole life and binds "&Image" and
// "&Abort" to it.
class WindowBuild : public QObject, private BuildDecisions
{
    Q_OBJECT

public:
    WindowBuild(BuildWindow& window, MessageBoxPresenter& presenter, ProgramSettings& settings,
                MonitorTimings timings = {});

    void SetProgramFolder(const QString& folder) { m_engine.SetProgramFolder(folder); }

    // Takes the fields and starts the build; does nothing while one runs.
    void StartBuild();
    void AbortBuild() { m_engine.Abort(); }
    void AbortAndWait() { m_engine.AbortAndWait(); }
    bool IsBuilding() const { return m_engine.IsBuilding(); }
    QString CaptureFilePath() const { return m_engine.CaptureFilePath(); }
    BuildMonitor& Monitor() { return m_engine.Monitor(); }

signals:
    // A complete image, before the success box: what the image list and the
    // recorder launch start from.
    void ImageBuilt(const QString& outputFile, int chunkCount);
    void BuildFinished();

private:
    bool ContinueOversized(const BuildRequest& request, const QString& question) override;
    bool ContinueWithoutFile(const BuildRequest& request, const QString& path) override;
    // Brings the fields up to what the engine has taken so far.
    void ShowTaken(const BuildRequest& request, RequestStage stage);

    BuildWindow& m_window;
    MessageBoxPresenter& m_presenter;
    ProgramSettings& m_settings;
    BuildEngine m_engine;
    FieldValues m_typed;
    RequestStage m_shown = RequestStage::Taken;
};

// Shows a message in the box of its kind over the main window; the answer.
BoxAnswer ShowOutcome(MessageBoxPresenter& presenter, const OutcomeText& message,
                      const QString& extraButton = {});

// The box for a result, as the window has always shown it; none for an
// abort, a No, or a run that could not be followed. Given a context, a
// success box also offers to show the image in its folder, and does so for
// as long as the context lives.
void ShowBuildResult(MessageBoxPresenter& presenter, const BuildResult& result,
                     QObject* context = nullptr);

// The result's box, then the window given back: busy state left and "&Log" enabled.
void ShowEnd(BuildWindow& window, MessageBoxPresenter& presenter, const BuildResult& result,
             QObject* context);
