#include "imaging/buildengine.h"

#include "imaging/builddecisions.h"
#include "imaging/dvdfoldercheck.h"
#include "imaging/imageverifier.h"
#include "imaging/mkisofscommandline.h"
#include "imaging/requestpaths.h"
#include "imaging/sourcesizecheck.h"
#include "imaging/volumeid.h"
#include "platform/childprocess.h"
#include "platform/exitguard.h"

#include <QCoreApplication>
#include <QEventLoop>

BuildEngine::BuildEngine(MonitorTimings timings) : m_monitor(timings)
{
    connect(&m_monitor, &BuildMonitor::Progress, this, &BuildEngine::Progress);
    connect(&m_monitor, &BuildMonitor::Ended, this, &BuildEngine::OnMonitorEnded);
    connect(&m_monitor, &BuildMonitor::Finished, this, &BuildEngine::OnMonitorFinished);
    // The capture file goes on a normal quit, even if the owner outlives it.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { m_capture.Remove(); });
}

BuildEngine::~BuildEngine()
{
    ExitGuard::ForgetCleanup(m_exitCleanup);
}

BuildStart BuildEngine::Start(const BuildRequest& request, BuildDecisions& decisions)
{
    BuildStart start{request, RequestStage::Taken, std::nullopt};
    if (IsBuilding()) {
        start.refusal = RefusalResult(
            QCoreApplication::translate("BuildEngine", "A build is already running."));
        return start;
    }
    start.refusal = Check(start, decisions);
    if (start.refusal) {
        m_lock.Release();
        return start;
    }
    m_request = start.request;
    StartMkisofs();
    return start;
}

void BuildEngine::OnMonitorEnded(const BuildResult& result)
{
    BuildResult ended = result;
    if (ended.outcome == BuildOutcome::Built)
        ended.parts = m_parts;
    emit Ended(ended);
}

void BuildEngine::OnMonitorFinished()
{
    m_lock.Release();
    emit Finished();
}

std::optional<BuildResult> BuildEngine::Check(BuildStart& start, BuildDecisions& decisions)
{
    BuildRequest& request = start.request;
    if (request.sourceDirectory.isEmpty() || request.outputFile.isEmpty() ||
        request.volumeId.isEmpty())
        return CodeResult(BuildOutcome::Refused, Outcome::MissingInformation);
    start.stage = RequestStage::PathsResolved;
    if (auto refusal = TakePaths(request))
        return refusal;
    if (auto refusal = ClaimOutput(request))
        return refusal;
    if (auto stop = CheckSize(request, decisions))
        return stop;
    request.volumeId = DeriveVolumeId(request.volumeId);
    start.stage = RequestStage::VolumeIdDerived;
    if (const auto bad = FindUnsupportedVolumeIdChar(request.volumeId))
        return CodeResult(BuildOutcome::Refused, Outcome::BadVolumeIdChar, QString(*bad));
    start.stage = RequestStage::Accepted;
    const BuildRequest accepted = request;
    return CheckDvdFolder(accepted.sourceDirectory,
                          [&decisions, &accepted](const QString& path) {
                              return decisions.ContinueWithoutFile(accepted, path);
                          })
        .stop;
}

// Absolute paths; refused before anything is renamed when they cannot be
// used faithfully or would overwrite the source.
std::optional<BuildResult> BuildEngine::TakePaths(BuildRequest& request)
{
    request.sourceDirectory = ResolvedSourceDirectory(request.sourceDirectory);
    request.outputFile = AbsolutePath(request.outputFile);
    for (const QString& path : {request.sourceDirectory, request.outputFile}) {
        if (!IsFaithfulPath(path))
            return RefusalResult(QCoreApplication::translate(
                                     "BuildEngine", "The name \"%1\" is not valid UTF-8 text, so "
                                                    "this program cannot use it safely.\nRename "
                                                    "it, or choose another, and try again.")
                                     .arg(path));
    }
    if (IsInsideFolder(request.outputFile, request.sourceDirectory))
        return RefusalResult(QCoreApplication::translate(
                                 "BuildEngine", "The Output File \"%1\" lies inside the Source "
                                                "Directory \"%2\".\nChoose an Output File outside "
                                                "it, so that the source is never overwritten.")
                                 .arg(request.outputFile, request.sourceDirectory));
    return std::nullopt;
}

// Before the folder check changes anything: an output the builder cannot
// write to, or one another build is writing, is refused.
std::optional<BuildResult> BuildEngine::ClaimOutput(const BuildRequest& request)
{
    const QString blocked = BuildOutput::FirstNonRegularTarget(request.outputFile, request.split);
    if (!blocked.isEmpty())
        return RefusalResult(QCoreApplication::translate(
                                 "BuildEngine", "\"%1\" exists and is not a regular file, so the "
                                                "image cannot be written there.\nChoose another "
                                                "Output File.")
                                 .arg(blocked));
    if (!m_lock.Take(request.outputFile))
        return RefusalResult(QCoreApplication::translate(
                                 "BuildEngine", "The Output File \"%1\" is being written by "
                                                "another build.\nWait until it has finished, or "
                                                "choose another Output File.")
                                 .arg(request.outputFile));
    return std::nullopt;
}

std::optional<BuildResult> BuildEngine::CheckSize(const BuildRequest& request,
                                                  BuildDecisions& decisions)
{
    if (!request.sizeCheck)
        return std::nullopt;
    const int verdict = CheckSourceSize(request.sourceDirectory, [&](const QString& question) {
        return decisions.ContinueOversized(request, question);
    });
    if (verdict == 0)
        return std::nullopt;
    // Nothing to measure ends the build as quietly as a No.
    return CodeResult(BuildOutcome::Declined, Outcome::Success,
                      verdict < 0 ? QCoreApplication::translate(
                                        "BuildEngine", "The Source Directory \"%1\" holds no data.")
                                        .arg(request.sourceDirectory)
                                  : QString());
}

void BuildEngine::StartMkisofs()
{
    // A capture file that cannot be prepared counts as a failed start: without
    // it the run could be neither followed nor shown.
    int startError = m_capture.Empty();
    MkisofsRequest command;
    command.programFolder = m_programFolder;
    command.split = m_request.split;
    command.volumeId = m_request.volumeId;
    command.outputFile = m_request.outputFile;
    command.sourceDirectory = m_request.sourceDirectory;
    m_parts.clear();
    m_output.Begin(command.outputFile, command.split);
    // Should the program end by exit() mid-build, what the build wrote goes too.
    m_exitCleanup = ExitGuard::AddCleanup([this] { RemoveWrittenFiles(); });
    std::unique_ptr<ChildProcess> child;
    if (startError == 0)
        child = ChildProcess::Start(MkisofsProgramPath(m_programFolder), MkisofsArguments(command),
                                    m_capture.Path(), &startError);
    m_monitor.Start(std::move(child), startError, m_capture.Descriptor(),
                    {[this] { return FinishExitZero(); }, [this] { RemoveWrittenFiles(); }});
}

// An exit code 0 is not enough: the builder leaves out files it cannot read
// and still exits 0, so the image is read back before it counts.
bool BuildEngine::FinishExitZero()
{
    const QStringList parts = m_output.Written();
    const ImageVerification check = VerifyDvdImage(m_request.sourceDirectory, parts);
    m_capture.AppendLines(check.report);
    if (!check.ok)
        return false;
    ExitGuard::ForgetCleanup(m_exitCleanup); // a complete image is the user's
    m_parts = parts;
    emit ImageBuilt(m_request.outputFile, static_cast<int>(parts.size()));
    return true;
}

void BuildEngine::RemoveWrittenFiles()
{
    ExitGuard::ForgetCleanup(m_exitCleanup);
    QStringList lines;
    for (const QString& file : m_output.RemoveWritten())
        lines << QCoreApplication::translate("BuildEngine",
                                             "Removed the incomplete image file \"%1\".")
                     .arg(file);
    m_capture.AppendLines(lines);
}

void BuildEngine::Abort()
{
    m_monitor.Abort();
}

void BuildEngine::AbortAndWait()
{
    if (!IsBuilding())
        return;
    QEventLoop wait;
    connect(this, &BuildEngine::Finished, &wait, &QEventLoop::quit);
    Abort();
    if (IsBuilding())
        wait.exec();
}
