#include "imaging/buildengine.h"

#include "burn/decrypterburn.h"
#include "imaging/buildwindow.h"
#include "imaging/dvdfoldercheck.h"
#include "imaging/imagelist.h"
#include "imaging/mkisofscommandline.h"
#include "imaging/outcome.h"
#include "imaging/sourcesizecheck.h"
#include "imaging/volumeid.h"
#include "platform/childprocess.h"
#include "settings/programsettings.h"

#include <QCoreApplication>

BuildEngine::BuildEngine(BuildWindow& window, MessageBoxPresenter& presenter,
                         ProgramSettings& settings, MonitorTimings timings)
    : m_window(window), m_presenter(presenter), m_settings(settings),
      m_monitor(window, presenter, timings)
{
    connect(&m_monitor, &BuildMonitor::Finished, this, &BuildEngine::BuildFinished);
    // The capture file goes on a normal quit, even if the window object outlives it.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { m_capture.Remove(); });
}

void BuildEngine::StartBuild()
{
    if (IsBuilding())
        return;
    m_window.EnterBusyState();
    if (!CheckRequest()) {
        Refuse();
        return;
    }
    StartMkisofs();
}

void BuildEngine::Refuse()
{
    m_window.LeaveBusyState();
}

bool BuildEngine::CheckRequest()
{
    FieldValues fields = m_window.TakeFieldValues();
    if (fields.sourceDirectory.isEmpty() || fields.outputFile.isEmpty() ||
        fields.volumeId.isEmpty()) {
        ReportOutcome(m_presenter, Outcome::MissingInformation, QString());
        return false;
    }
    if (m_settings.GetCheckDirSize() != 0 &&
        CheckSourceSize(fields.sourceDirectory, m_presenter) != 0)
        return false;
    // The derived label is stored at once, but shown only once it passed.
    fields.volumeId = DeriveVolumeId(fields.volumeId);
    m_window.StoreFieldValues(fields);
    if (const auto bad = FindUnsupportedVolumeIdChar(fields.volumeId)) {
        ReportOutcome(m_presenter, Outcome::BadVolumeIdChar, QString(*bad));
        return false;
    }
    m_window.ShowFieldValues();
    return CheckDvdFolder(fields.sourceDirectory, m_presenter) >= 0;
}

void BuildEngine::StartMkisofs()
{
    // A capture file that cannot be prepared counts as a failed start: without
    // it the run could be neither followed nor shown.
    int startError = m_capture.Empty();
    const FieldValues fields = m_window.StoredFieldValues();
    MkisofsRequest request;
    request.programFolder = m_programFolder;
    request.split = m_settings.GetSplitImageFile() == 1;
    request.volumeId = fields.volumeId;
    request.outputFile = fields.outputFile;
    request.sourceDirectory = fields.sourceDirectory;
    std::unique_ptr<ChildProcess> child;
    if (startError == 0)
        child = ChildProcess::Start(MkisofsProgramPath(m_programFolder), MkisofsArguments(request),
                                    m_capture.Descriptor(), &startError);
    m_monitor.Start(std::move(child), startError, m_capture.Descriptor(),
                    [this] { FinishSuccessfulBuild(); });
}

void BuildEngine::FinishSuccessfulBuild()
{
    WriteImageList(m_settings, m_window.StoredFieldValues().outputFile);
    DecrypterBurn(m_settings, m_window, m_window.StoredFieldValues().outputFile);
}

void BuildEngine::AbortBuild()
{
    m_monitor.Abort();
}
