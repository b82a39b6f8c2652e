#include "cli/recordrun.h"

#include "burn/imagelist.h"
#include "burn/recordingsession.h"
#include "burn/xorrisocommand.h"
#include "burn/xorrisorecording.h"
#include "cli/clicommands.h"
#include "cli/exitcodes.h"
#include "cli/exitstatus.h"
#include "cli/progressprinter.h"
#include "cli/runfollower.h"
#include "cli/stderrlines.h"
#include "recorder/nativerecorder.h"
#include "settings/programsettings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The xorriso the settings name, else the one on PATH: a Windows recorder
// there cannot be followed from here.
QString XorrisoProgram(ProgramSettings& settings)
{
    QString stored = settings.GetDecrypterPath();
    if (IsXorrisoRecorder(stored))
        return stored;
    return QStandardPaths::findExecutable(QStringLiteral("xorriso"));
}

RecordingPlan PlanFromOptions(const CliOptions& options, const QString& recorder)
{
    RecordingPlan plan;
    plan.recorder = recorder;
    plan.drive = options.device;
    plan.speedText = options.speed;
    plan.erase = options.erase;
    plan.verify = options.verify;
    plan.eject = options.eject;
    return plan;
}

qint64 TotalSize(const QStringList& files)
{
    qint64 total = 0;
    for (const QString& file : files)
        total += QFileInfo(file).size();
    return total;
}

} // namespace

QString RecordingMisuse(const CliOptions& options)
{
    if (options.device.isEmpty())
        return QCoreApplication::translate("CliUsage", "recording needs --device DEV.");
    // Anything xorriso cannot take as a speed would silently mean the fastest.
    if (!options.speed.isEmpty() && XorrisoSpeed(options.speed).isEmpty())
        return QCoreApplication::translate(
                   "CliUsage", "--speed takes a DVD speed such as 4 or 2.4, not \"%1\".")
            .arg(options.speed);
    return QString();
}

namespace {

int NoXorriso()
{
    PrintError(QCoreApplication::translate(
        "Cli", "xorriso was not found; install it with \"apt-get install xorriso\"."));
    return ExitCode::RecordFailed;
}

int NotWhole(const QString& image)
{
    PrintError(QCoreApplication::translate("Cli", "\"%1\" does not hold a whole ISO 9660 image.")
                   .arg(image));
    return ExitCode::CheckFailed;
}

// Records the image the session holds, to its end, and reports the outcome.
int Record(RecordingSession& session, const RecordingPlan& plan, ProgressPrinter& printer,
           const QStringList& files)
{
    RecordingReport report;
    RunFollower follower(printer, [&session] { session.Abort(); });
    QObject::connect(
        &session, &RecordingSession::PhaseChanged, follower.Context(), [&](RecordingPhase phase) {
            if (phase == RecordingPhase::Recording)
                follower.Begin(files.value(0), static_cast<double>(TotalSize(files)));
            else
                PrintError(
                    QCoreApplication::translate("Cli", "Verifying the disc against the image."));
        });
    QObject::connect(&session, &RecordingSession::Progress, follower.Context(),
                     [&follower](int percent) { follower.Show(percent); });
    QObject::connect(&session, &RecordingSession::Ended, follower.Context(),
                     [&](const RecordingReport& ended) {
                         report = ended;
                         follower.Quit();
                     });
    session.StartPending(plan);
    follower.Wait(session.IsRunning());
    // xorriso's own words first: the messages point to them as the log.
    const bool failed = !report.Succeeded() && report.outcome != RecordingOutcome::Refused;
    if (failed && session.Recording() != nullptr)
        std::fputs(session.Recording()->Output().toLocal8Bit().constData(), stderr);
    if (const QString message = RecordingMessage(report); !message.isEmpty())
        PrintError(message);
    return ExitStatusOf({BuildOutcome::Built, report.outcome, follower.Signal()});
}

} // namespace

int RecordImageFiles(CliContext& context, ProgressPrinter& printer, const QStringList& files)
{
    const QString recorder = XorrisoProgram(context.settings);
    if (recorder.isEmpty())
        return NoXorriso();
    RecordingSession session;
    if (!session.TakeImage(files))
        return NotWhole(files.value(0));
    return Record(session, PlanFromOptions(context.options, recorder), printer, files);
}

int HandOverBuiltImage(CliContext& context, ProgressPrinter& printer, const BuiltImage& image)
{
    const bool record = context.options.record;
    const QString recorder = record ? XorrisoProgram(context.settings) : QString();
    RecordingSession session;
    const HandOverResult handed = session.HandOver(image, !recorder.isEmpty());
    if (!handed.listWritten)
        PrintError(QCoreApplication::translate("Cli", "The image list \"%1\" could not be written.")
                       .arg(ImageListPath(image.outputFile)));
    if (!record)
        return ExitStatusOf({});
    if (recorder.isEmpty())
        return NoXorriso();
    if (!handed.taken)
        return NotWhole(image.files.value(0));
    return Record(session, PlanFromOptions(context.options, recorder), printer, image.files);
}
