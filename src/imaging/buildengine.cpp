#include "imaging/buildengine.h"

#include "imaging/buildwindow.h"
#include "imaging/dvdfoldercheck.h"
#include "imaging/imageverifier.h"
#include "imaging/mkisofscommandline.h"
#include "imaging/outcome.h"
#include "imaging/requestpaths.h"
#include "imaging/sourcesizecheck.h"
#include "imaging/volumeid.h"
#include "platform/childprocess.h"
#include "platform/exitguard.h"
#include "settings/programsettings.h"

#include <QCoreApplication>
#include <QEventLoop>

BuildEngine::BuildEngine(BuildWindow& window, MessageBoxPresenter& presenter,
                         ProgramSettings& settings, MonitorTimings timings)
    : m_window(window), m_presenter(presenter), m_settings(settings),
      m_monitor(window, presenter, timings)
{
    connect(&m_monitor, &BuildMonitor::Finished, this, &BuildEngine::OnMonitorFinished);
    // The capture file goes on a normal quit, even if the window object outlives it.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { m_capture.Remove(); });
}

BuildEngine::~BuildEngine()
{
    ExitGuard::ForgetCleanup(m_exitCleanup);
}

void BuildEngine::StartBuild()
{
    if (IsBuilding())
        return;
    m_window.EnterBusyState();
    if (!CheckRequest()) {
        m_lock.Release();
        m_window.LeaveBusyState();
        return;
    }
    StartMkisofs();
}

void BuildEngine::OnMonitorFinished()
{
    m_lock.Release();
    emit BuildFinished();
}

bool BuildEngine::Refuse(const QString& text)
{
    ShowWindowBox(m_presenter, QStringLiteral("Error"), text, BoxKind::Error);
    return false;
}

bool BuildEngine::CheckRequest()
{
    FieldValues fields = m_window.TakeFieldValues();
    if (fields.sourceDirectory.isEmpty() || fields.outputFile.isEmpty() ||
        fields.volumeId.isEmpty()) {
        ReportOutcome(m_presenter, Outcome::MissingInformation, QString());
        return false;
    }
    if (!TakePaths(fields) || !ClaimOutput(fields.outputFile))
        return false;
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

// Absolute paths, shown in the fields; refused before anything is renamed
// when they cannot be used faithfully or would overwrite the source.
bool BuildEngine::TakePaths(FieldValues& fields)
{
    const FieldValues typed = fields;
    fields.sourceDirectory = ResolvedSourceDirectory(fields.sourceDirectory);
    fields.outputFile = AbsolutePath(fields.outputFile);
    if (fields.sourceDirectory != typed.sourceDirectory || fields.outputFile != typed.outputFile) {
        m_window.StoreFieldValues(fields);
        m_window.ShowFieldValues();
    }
    for (const QString& path : {fields.sourceDirectory, fields.outputFile}) {
        if (!IsFaithfulPath(path))
            return Refuse(QStringLiteral("The name \"%1\" is not valid UTF-8 text, so this "
                                         "program cannot use it safely.\nRename it, or choose "
                                         "another, and try again.")
                              .arg(path));
    }
    if (IsInsideFolder(fields.outputFile, fields.sourceDirectory))
        return Refuse(QStringLiteral("The Output File \"%1\" lies inside the Source Directory "
                                     "\"%2\".\nChoose an Output File outside it, so that the "
                                     "source is never overwritten.")
                          .arg(fields.outputFile, fields.sourceDirectory));
    return true;
}

// Before the folder check changes anything: an output the builder cannot
// write to, or one another build is writing, is refused.
bool BuildEngine::ClaimOutput(const QString& outputFile)
{
    const QString blocked =
        BuildOutput::FirstNonRegularTarget(outputFile, m_settings.GetSplitImageFile() == 1);
    if (!blocked.isEmpty())
        return Refuse(QStringLiteral("\"%1\" exists and is not a regular file, so the image "
                                     "cannot be written there.\nChoose another Output File.")
                          .arg(blocked));
    if (!m_lock.Take(outputFile))
        return Refuse(QStringLiteral("The Output File \"%1\" is being written by another "
                                     "build.\nWait until it has finished, or choose another "
                                     "Output File.")
                          .arg(outputFile));
    return true;
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
    m_output.Begin(request.outputFile, request.split);
    // Should the program end by exit() mid-build, what the build wrote goes too.
    m_exitCleanup = ExitGuard::AddCleanup([this] { RemoveWrittenFiles(); });
    std::unique_ptr<ChildProcess> child;
    if (startError == 0)
        child = ChildProcess::Start(MkisofsProgramPath(m_programFolder), MkisofsArguments(request),
                                    m_capture.Path(), &startError);
    m_monitor.Start(std::move(child), startError, m_capture.Descriptor(),
                    {[this] { return FinishExitZero(); }, [this] { RemoveWrittenFiles(); }});
}

// An exit code 0 is not enough: the builder leaves out files it cannot read
// and still exits 0, so the image is read back before it counts.
bool BuildEngine::FinishExitZero()
{
    const QStringList parts = m_output.Written();
    const QString outputFile = m_window.StoredFieldValues().outputFile;
    const ImageVerification check =
        VerifyDvdImage(m_window.StoredFieldValues().sourceDirectory, parts);
    m_capture.AppendLines(check.report);
    if (!check.ok)
        return false;
    ExitGuard::ForgetCleanup(m_exitCleanup); // a complete image is the user's
    emit ImageBuilt(outputFile, static_cast<int>(parts.size()));
    return true;
}

void BuildEngine::RemoveWrittenFiles()
{
    ExitGuard::ForgetCleanup(m_exitCleanup);
    QStringList lines;
    for (const QString& file : m_output.RemoveWritten())
        lines << QStringLiteral("Removed the incomplete image file \"%1\".").arg(file);
    m_capture.AppendLines(lines);
}

void BuildEngine::AbortBuild()
{
    m_monitor.Abort();
}

void BuildEngine::AbortAndWait()
{
    if (!IsBuilding())
        return;
    QEventLoop wait;
    connect(this, &BuildEngine::BuildFinished, &wait, &QEventLoop::quit);
    AbortBuild();
    if (IsBuilding())
        wait.exec();
}
