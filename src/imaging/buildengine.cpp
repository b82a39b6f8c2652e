#include "imaging/buildengine.h"

#include "imaging/builddecisions.h"
#include "imaging/dvdfoldercheck.h"
#include "imaging/imageverifier.h"
#include "imaging/mkisofscommandline.h"
#include "imaging/plannedsize.h"
#include "imaging/requestpaths.h"
#include "imaging/sourcesizecheck.h"
#include "imaging/volumeid.h"
#include "platform/childprocess.h"
#include "platform/exitguard.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>

#include <sys/statvfs.h>

#include <utility>

namespace {

// Neither the lock nor the private folder can be made beside file.
QString FolderRefusalText(const QString& file, int error)
{
    return QCoreApplication::translate(
               "BuildEngine",
               "No image can be written in the folder \"%1\": %2.\nChoose an Output File "
               "in a folder you can write to.")
        .arg(QFileInfo(file).path(), qt_error_string(error));
}

QString LockRefusalText(const LockRefusal& refusal, const QString& outputFile)
{
    using Reason = LockRefusal::Reason;
    switch (refusal.reason) {
    case Reason::HeldHere:
        return QCoreApplication::translate(
                   "BuildEngine",
                   "The Output File \"%1\" is being written by another build (process %2 "
                   "on this computer; its lock file is \"%3\").\nWait until it has "
                   "finished, or choose another Output File.")
            .arg(outputFile)
            .arg(refusal.pid)
            .arg(refusal.lockFile);
    case Reason::HeldElsewhere:
        return QCoreApplication::translate(
                   "BuildEngine",
                   "The Output File \"%1\" is locked by a build on the computer \"%2\" "
                   "(process %3; its lock file is \"%4\").\nIf that build has ended, "
                   "delete the lock file and try again.")
            .arg(outputFile, refusal.host)
            .arg(refusal.pid)
            .arg(refusal.lockFile);
    case Reason::Unreadable:
        return QCoreApplication::translate(
                   "BuildEngine",
                   "The lock file \"%1\" is in the way, and who made it cannot be read."
                   "\nIf no build is writing \"%2\", delete the lock file and try again.")
            .arg(refusal.lockFile, outputFile);
    case Reason::Link:
        return QCoreApplication::translate(
                   "BuildEngine",
                   "The lock file \"%1\" is a symbolic link, which a build never "
                   "follows.\nIf no build is writing \"%2\", delete the link and try "
                   "again.")
            .arg(refusal.lockFile, outputFile);
    case Reason::CannotCreate:
        break;
    }
    return FolderRefusalText(refusal.lockFile, refusal.error);
}

qint64 FreeBytes(const QString& folder)
{
    struct statvfs info;
    if (statvfs(QFile::encodeName(folder).constData(), &info) != 0)
        return -1;
    return static_cast<qint64>(info.f_bavail) * static_cast<qint64>(info.f_frsize);
}

// What a file system keeps back or leaves in its last blocks once a write
// fails for want of room.
constexpr qint64 FullDiskSlack = qint64(4) << 20;

QString Megabytes(double bytes)
{
    return QString::number(bytes / (1024.0 * 1024.0), 'f', 1);
}

} // namespace

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
    m_startLines.clear();
    start.refusal = Check(start, decisions);
    if (start.refusal) {
        m_output.RemoveWritten();
        m_lock.Release();
        return start;
    }
    m_request = start.request;
    StartMkisofs();
    return start;
}

void BuildEngine::OnMonitorEnded(const BuildResult& result)
{
    if (!NeedsRoomCount(result)) {
        EndWith(result, -1);
        return;
    }
    // The count walks the whole source: the window must not freeze meanwhile.
    m_countingRoom = true;
    AskPlannedImageBytes(MkisofsProgramPath(m_programFolder), MkisofsArguments(m_command), this,
                         [this, result](qint64 neededBytes) {
                             m_countingRoom = false;
                             EndWith(result, neededBytes);
                             if (std::exchange(m_finishWaits, false))
                                 OnMonitorFinished();
                         });
}

void BuildEngine::EndWith(BuildResult ended, qint64 neededBytes)
{
    if (ended.outcome == BuildOutcome::Built)
        ended.parts = m_parts;
    else
        AddFailureNotes(ended, neededBytes);
    // The builder did its part; the message must not blame it.
    if (ended.outcome == BuildOutcome::CheckFailed)
        ended.refusal =
            QCoreApplication::translate("BuildEngine", "The image check failed:\n%1\nSee log for "
                                                       "details.")
                .arg(m_checkProblem);
    emit Ended(ended);
}

// Only a disk that was all but full when the builder failed is asked about.
bool BuildEngine::NeedsRoomCount(const BuildResult& result) const
{
    return result.outcome == BuildOutcome::BuildFailed && m_freeAtFailure >= 0 &&
           m_freeAtFailure <= FullDiskSlack;
}

// A full disk: the builder's own count of the image's bytes against what is
// free now that the unfinished image is gone.
void BuildEngine::AddRoomNote(BuildResult& result, qint64 needed) const
{
    const QString folder = QFileInfo(m_target).path();
    const qint64 free = FreeBytes(folder);
    if (free < 0 || needed <= free)
        return;
    result.notes << QCoreApplication::translate("BuildEngine",
                                                "The new image needs %1 MB, but only %2 MB are "
                                                "free in \"%3\".")
                        .arg(Megabytes(static_cast<double>(needed)),
                             Megabytes(static_cast<double>(free)), folder);
}

// What the user needs to go on after a failure: that the earlier image is
// still there, and what stood in the way when that can be named.
void BuildEngine::AddFailureNotes(BuildResult& result, qint64 neededBytes) const
{
    if (result.outcome == BuildOutcome::Declined || result.outcome == BuildOutcome::Refused)
        return;
    if (!m_startProblem.isEmpty())
        result.notes << m_startProblem;
    if (NeedsRoomCount(result))
        AddRoomNote(result, neededBytes);
    if (m_hadEarlierImage)
        result.notes << QCoreApplication::translate("BuildEngine",
                                                    "The earlier image \"%1\" was kept as it was.")
                            .arg(m_request.outputFile);
}

void BuildEngine::OnMonitorFinished()
{
    if (m_countingRoom) {
        m_finishWaits = true;
        return;
    }
    m_lock.Release();
    emit Finished();
}

std::optional<BuildResult> BuildEngine::Check(BuildStart& start, BuildDecisions& decisions)
{
    BuildRequest& request = start.request;
    if (request.sourceDirectory.isEmpty() || request.outputFile.isEmpty() ||
        request.volumeId.isEmpty())
        return CodeResult(BuildOutcome::Refused, OutcomeCode::MissingInformation);
    start.stage = RequestStage::PathsResolved;
    if (auto refusal = TakePaths(request))
        return refusal;
    m_target = ResolvedOutputFile(request.outputFile, !request.split);
    if (auto refusal = ClaimOutput(request))
        return refusal;
    if (auto stop = CheckSize(request, decisions))
        return stop;
    request.volumeId = DeriveVolumeId(request.volumeId);
    start.stage = RequestStage::VolumeIdDerived;
    if (const auto bad = FindUnsupportedVolumeIdChar(request.volumeId))
        return CodeResult(BuildOutcome::Refused, OutcomeCode::BadVolumeIdChar, QString(*bad));
    start.stage = RequestStage::Accepted;
    const BuildRequest accepted = request;
    FolderCheckReport report =
        CheckDvdFolder(accepted.sourceDirectory, [&decisions, &accepted](const QString& path) {
            return decisions.ContinueWithoutFile(accepted, path);
        });
    m_startLines += report.notes;
    return report.stop;
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
    if (!QFileInfo::exists(request.sourceDirectory))
        return RefusalResult(
            QCoreApplication::translate("BuildEngine",
                                        "The Source Directory \"%1\" does not exist.\nChoose "
                                        "the folder that holds VIDEO_TS.")
                .arg(request.sourceDirectory));
    if (IsInsideFolder(request.outputFile, request.sourceDirectory))
        return RefusalResult(QCoreApplication::translate(
                                 "BuildEngine", "The Output File \"%1\" lies inside the Source "
                                                "Directory \"%2\".\nChoose an Output File outside "
                                                "it, so that the source is never overwritten.")
                                 .arg(request.outputFile, request.sourceDirectory));
    return std::nullopt;
}

// Before the folder check changes anything: an output the builder cannot
// write to, or one another build is writing, is refused. The private folder
// the builder writes in is made here, so that a folder that takes none is
// refused too; folders of killed builds to the same file go first.
std::optional<BuildResult> BuildEngine::ClaimOutput(const BuildRequest& request)
{
    const QString blocked = BuildOutput::FirstNonRegularTarget(m_target, request.split);
    if (!blocked.isEmpty())
        return RefusalResult(QCoreApplication::translate(
                                 "BuildEngine", "\"%1\" exists and is not a regular file, so the "
                                                "image cannot be written there.\nChoose another "
                                                "Output File.")
                                 .arg(blocked));
    if (const auto refusal = m_lock.Take(m_target))
        return RefusalResult(LockRefusalText(*refusal, request.outputFile));
    for (const QString& folder : BuildOutput::RemoveAbandoned(m_target))
        m_startLines << QCoreApplication::translate(
                            "BuildEngine", "Removed \"%1\", left by a build that did not end.")
                            .arg(folder);
    if (const int error = m_output.Begin(m_target, request.split); error != 0)
        return RefusalResult(FolderRefusalText(m_target, error));
    return std::nullopt;
}

std::optional<BuildResult> BuildEngine::CheckSize(const BuildRequest& request,
                                                  BuildDecisions& decisions)
{
    if (!request.sizeCheck)
        return std::nullopt;
    const SizeVerdict verdict =
        CheckSourceSize(request.sourceDirectory, [&](const QString& question) {
            return decisions.ContinueOversized(request, question);
        });
    if (verdict == SizeVerdict::GoOn)
        return std::nullopt;
    // Nothing to measure ends the build as quietly as a No.
    return CodeResult(BuildOutcome::Declined, OutcomeCode::Success,
                      verdict == SizeVerdict::Unmeasured
                          ? QCoreApplication::translate(
                                "BuildEngine", "The Source Directory \"%1\" holds no data.")
                                .arg(request.sourceDirectory)
                          : QString());
}

void BuildEngine::StartMkisofs()
{
    // A capture file that cannot be prepared counts as a failed start: without
    // it the run could be neither followed nor shown.
    int startError = m_capture.Empty();
    m_capture.AppendLines(m_startLines);
    m_startLines.clear();
    MkisofsRequest& command = m_command;
    command.programFolder = m_programFolder;
    command.split = m_request.split;
    command.volumeId = m_request.volumeId;
    command.outputFile = m_output.StagedFile();
    command.sourceDirectory = m_request.sourceDirectory;
    m_parts.clear();
    m_hadEarlierImage = m_output.HasEarlierImage();
    m_checkProblem.clear();
    m_startProblem.clear();
    // Should the program end by exit() mid-build, what the build wrote goes too.
    m_exitCleanup = ExitGuard::AddCleanup([this] { RemoveWrittenFiles(); });
    std::unique_ptr<ChildProcess> child;
    if (startError == 0) {
        const QString program = MkisofsProgramPath(m_programFolder);
        child =
            ChildProcess::Start(program, MkisofsArguments(command), m_capture.Path(), &startError);
        if (!child)
            m_startProblem =
                QCoreApplication::translate(
                    "BuildEngine",
                    "The image builder \"%1\" cannot be started: %2.\nIt comes with the "
                    "Debian package \"genisoimage\".")
                    .arg(program, qt_error_string(startError));
    }
    m_monitor.Start(std::move(child), startError, m_capture.Descriptor(),
                    {[this] { return FinishExitZero(); }, [this] { RemoveWrittenFiles(); }});
}

// An exit code 0 is not enough: the builder leaves out files it cannot read
// and still exits 0, so the image is read back before it counts.
bool BuildEngine::FinishExitZero()
{
    const ImageVerification check = VerifyDvdImage(m_request.sourceDirectory, m_output.Written());
    m_capture.AppendLines(check.report);
    if (!check.ok) {
        m_checkProblem = check.report.join(QLatin1Char('\n'));
        return false;
    }
    // Only now does the Output File change: the whole image replaces the old at once.
    QString problem;
    const QStringList parts = m_output.Place(&problem);
    if (parts.isEmpty()) {
        m_capture.AppendLines(
            {QCoreApplication::translate("BuildEngine", "The image could not be renamed to %1.")
                 .arg(problem)});
        return false;
    }
    ExitGuard::ForgetCleanup(m_exitCleanup); // a complete image is the user's
    m_parts = parts;
    emit ImageBuilt(m_request.outputFile, static_cast<int>(parts.size()));
    return true;
}

void BuildEngine::RemoveWrittenFiles()
{
    ExitGuard::ForgetCleanup(m_exitCleanup);
    m_freeAtFailure = m_monitor.Child() ? FreeBytes(QFileInfo(m_target).path()) : -1;
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
