#include "cli/recordrun.h"

#include "burn/existingimage.h"
#include "burn/imagelist.h"
#include "burn/recordingsession.h"
#include "burn/xorrisocommand.h"
#include "burn/xorrisorecording.h"
#include "cli/clicommands.h"
#include "cli/exitstatus.h"
#include "cli/progressprinter.h"
#include "cli/resultobject.h"
#include "cli/runfollower.h"
#include "cli/writtentext.h"
#include "recorder/nativerecorder.h"
#include "settings/programsettings.h"

#include <QCoreApplication>
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

int NoXorriso(ResultObject& result)
{
    result.Say(QCoreApplication::translate(
        "Cli", "xorriso was not found; install it with \"apt-get install xorriso\"."));
    return result.End({BuildOutcome::Built, RecordingOutcome::Failed, 0});
}

int NotWhole(const QString& image, ResultObject& result)
{
    result.Say(NotWholeImageText(image));
    return result.End(BuildOutcome::CheckFailed);
}

// Records the image the session holds, to its end, and reports the outcome.
int Record(RecordingSession& session, const RecordingPlan& plan, ProgressPrinter& printer,
           const QStringList& files, ResultObject& result)
{
    RecordingReport report;
    RunFollower follower(printer, [&session] { session.Abort(); });
    QObject::connect(
        &session, &RecordingSession::PhaseChanged, follower.Context(), [&](RecordingPhase phase) {
            if (phase == RecordingPhase::Recording)
                follower.Begin(files.value(0), static_cast<double>(ImageBytes(files)));
            else
                result.Say(
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
    result.Say(RecordingMessage(report));
    return result.End({BuildOutcome::Built, report.outcome, follower.Signal()});
}

} // namespace

int RecordImageFiles(CliContext& context, ProgressPrinter& printer, RecordingSession& session,
                     const QStringList& files, ResultObject& result)
{
    const QString recorder = XorrisoProgram(context.settings);
    if (recorder.isEmpty())
        return NoXorriso(result);
    return Record(session, PlanFromOptions(context.options, recorder), printer, files, result);
}

int HandOverBuiltImage(CliContext& context, ProgressPrinter& printer, const BuiltImage& image,
                       ResultObject& result)
{
    const bool record = context.options.record;
    const QString recorder = record ? XorrisoProgram(context.settings) : QString();
    RecordingSession session;
    const HandOverResult handed = session.HandOver(image, !recorder.isEmpty());
    const QString list = image.split ? ImageListPath(image.outputFile) : QString();
    if (handed.listWritten) {
        result.Set(QStringLiteral("list"), TextOrNull(list));
        if (!list.isEmpty())
            result.Say(ListedText(list));
    } else {
        result.Say(QCoreApplication::translate("Cli", "The image list \"%1\" could not be written.")
                       .arg(list));
    }
    if (!record)
        return result.End(BuildOutcome::Built);
    if (recorder.isEmpty())
        return NoXorriso(result);
    if (!handed.taken)
        return NotWhole(image.files.value(0), result);
    return Record(session, PlanFromOptions(context.options, recorder), printer, image.files,
                  result);
}
