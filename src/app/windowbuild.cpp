#include "app/windowbuild.h"

#include "app/buildwindow.h"
#include "controls/showinfolder.h"
#include "dialogs/settingsnotices.h"
#include "imaging/directorysize.h"
#include "settings/programsettings.h"

#include <QCoreApplication>

WindowBuild::WindowBuild(BuildWindow& window, MessageBoxPresenter& presenter,
                         ProgramSettings& settings, MonitorTimings timings)
    : m_window(window), m_presenter(presenter), m_settings(settings), m_engine(timings)
{
    // The engine's end, not the monitor's: it says what was kept and what is missing.
    connect(&m_engine, &BuildEngine::Progress, this,
            [&window](int percent) { ShowPercent(window, percent); });
    connect(&m_engine, &BuildEngine::Ended, this,
            [this, &window, &presenter](const BuildResult& result) {
                ShowEnd(window, presenter, result, this);
            });
    connect(&m_engine, &BuildEngine::ImageBuilt, this, &WindowBuild::ImageBuilt);
    connect(&m_engine, &BuildEngine::Finished, this, &WindowBuild::BuildFinished);
}

void WindowBuild::StartBuild()
{
    if (m_engine.IsBuilding())
        return;
    m_window.EnterBusyState();
    m_typed = m_window.TakeFieldValues();
    m_shown = RequestStage::Taken;
    BuildRequest request{m_typed.sourceDirectory, m_typed.outputFile, m_typed.volumeId};
    // The settings are read only for a request that has everything it needs.
    if (!request.sourceDirectory.isEmpty() && !request.outputFile.isEmpty() &&
        !request.volumeId.isEmpty()) {
        request.split = m_settings.GetSplitImageFile();
        request.sizeCheck = m_settings.GetCheckDirSize();
        ShowSettingsNotices(m_presenter, m_settings);
    }
    const BuildStart start = m_engine.Start(request, *this);
    ShowTaken(start.request, start.stage);
    if (!start.refusal) {
        // The source's size stands for the image's, as the command line counts it.
        m_window.Rate().Begin(MeasureDirectorySize(start.request.sourceDirectory));
        return;
    }
    ShowBuildResult(m_presenter, *start.refusal);
    m_window.LeaveBusyState();
}

bool WindowBuild::ContinueOversized(const BuildRequest& request, const QString& question)
{
    ShowTaken(request, RequestStage::PathsResolved);
    return ShowWindowBox(m_presenter,
                         QCoreApplication::translate("BuildWindow", "DVD Directory Size"), question,
                         BoxKind::QuestionYesNo) != BoxAnswer::No;
}

bool WindowBuild::ContinueWithoutFile(const BuildRequest& request, const QString& path)
{
    ShowTaken(request, RequestStage::Accepted);
    return ShowOutcome(m_presenter, OutcomeMessage(OutcomeCode::MissingFileAsk, path, 0)) ==
           BoxAnswer::Yes;
}

// Changed paths are shown at once; the derived label is stored at once but
// shown only once it passed.
void WindowBuild::ShowTaken(const BuildRequest& request, RequestStage stage)
{
    if (stage >= RequestStage::PathsResolved && m_shown < RequestStage::PathsResolved) {
        m_shown = RequestStage::PathsResolved;
        if (request.sourceDirectory != m_typed.sourceDirectory ||
            request.outputFile != m_typed.outputFile) {
            m_window.StoreFieldValues(
                {request.sourceDirectory, request.outputFile, m_typed.volumeId});
            m_window.ShowFieldValues();
        }
    }
    if (stage >= RequestStage::VolumeIdDerived && m_shown < RequestStage::VolumeIdDerived) {
        m_shown = RequestStage::VolumeIdDerived;
        m_window.StoreFieldValues({request.sourceDirectory, request.outputFile, request.volumeId});
    }
    if (stage >= RequestStage::Accepted && m_shown < RequestStage::Accepted) {
        m_shown = RequestStage::Accepted;
        m_window.ShowFieldValues();
    }
}

BoxAnswer ShowOutcome(MessageBoxPresenter& presenter, const OutcomeText& message,
                      const QString& extraButton)
{
    BoxKind kind = BoxKind::Error;
    if (message.kind == OutcomeKind::Information)
        kind = BoxKind::Information;
    else if (message.kind == OutcomeKind::Question)
        kind = BoxKind::WarningYesNo;
    return ShowWindowBox(presenter, message.caption, message.text, kind, extraButton);
}

void ShowBuildResult(MessageBoxPresenter& presenter, const BuildResult& result, QObject* context)
{
    if (ShowsNoBox(result))
        return;
    const bool built =
        result.outcome == BuildOutcome::Built && !result.parts.isEmpty() && context != nullptr;
    if (ShowOutcome(presenter, ResultBox(result), built ? ShowInFolderText() : QString()) ==
        BoxAnswer::Extra)
        ShowInFolder(result.parts, context, presenter);
}

void ShowEnd(BuildWindow& window, MessageBoxPresenter& presenter, const BuildResult& result,
             QObject* context)
{
    ShowBuildResult(presenter, result, context);
    window.LeaveBusyState();
    window.EnableLog();
}
