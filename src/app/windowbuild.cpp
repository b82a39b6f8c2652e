#include "app/windowbuild.h"

#include "app/buildwindow.h"
#include "dialogs/settingsnotices.h"
#include "settings/programsettings.h"

#include <QCoreApplication>

WindowBuild::WindowBuild(BuildWindow& window, MessageBoxPresenter& presenter,
                         ProgramSettings& settings, MonitorTimings timings)
    : m_window(window), m_presenter(presenter), m_settings(settings), m_engine(timings)
{
    // The engine's end, not the monitor's: it says what was kept and what is missing.
    connect(&m_engine, &BuildEngine::Progress, this,
            [&window](int percent) { ShowPercent(window, percent); });
    connect(&m_engine, &BuildEngine::Ended, this, [&window, &presenter](const BuildResult& result) {
        ShowEnd(window, presenter, result);
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
    if (!start.refusal)
        return;
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

BoxAnswer ShowOutcome(MessageBoxPresenter& presenter, const OutcomeText& message)
{
    BoxKind kind = BoxKind::Error;
    if (message.kind == OutcomeKind::Information)
        kind = BoxKind::Information;
    else if (message.kind == OutcomeKind::Question)
        kind = BoxKind::WarningYesNo;
    return ShowWindowBox(presenter, message.caption, message.text, kind);
}

void ShowBuildResult(MessageBoxPresenter& presenter, const BuildResult& result)
{
    if (ShowsNoBox(result))
        return;
    ShowOutcome(presenter, ResultBox(result));
}

void ShowEnd(BuildWindow& window, MessageBoxPresenter& presenter, const BuildResult& result)
{
    ShowBuildResult(presenter, result);
    window.LeaveBusyState();
    window.EnableLog();
}

void ShowMonitorOn(BuildMonitor& monitor, BuildWindow& window, MessageBoxPresenter& presenter)
{
    QObject::connect(&monitor, &BuildMonitor::Progress, &monitor,
                     [&window](int percent) { ShowPercent(window, percent); });
    QObject::connect(
        &monitor, &BuildMonitor::Ended, &monitor,
        [&window, &presenter](const BuildResult& result) { ShowEnd(window, presenter, result); });
}
