#include "cli/recordrun.h"

#include "burn/recordingsession.h"
#include "burn/xorrisocommand.h"
#include "burn/xorrisorecording.h"
#include "cli/clicommands.h"
#include "cli/exitcodes.h"
#include "cli/progressprinter.h"
#include "cli/stderrpresenter.h"
#include "platform/terminationsignals.h"
#include "recorder/nativerecorder.h"
#include "settings/programsettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
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

int ExitStatusOf(const RecordingReport& report, int signal)
{
    if (signal != 0)
        return ExitCode::SignalBase + signal;
    if (report.Succeeded())
        return ExitCode::Success;
    return report.outcome == RecordingOutcome::Refused ? ExitCode::Refused : ExitCode::RecordFailed;
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

int RecordImageFiles(CliContext& context, ProgressPrinter& printer, const QStringList& files)
{
    const QString recorder = XorrisoProgram(context.settings);
    if (recorder.isEmpty()) {
        PrintError(QCoreApplication::translate(
            "Cli", "xorriso was not found; install it with \"apt-get install xorriso\"."));
        return ExitCode::RecordFailed;
    }
    RecordingSession session;
    if (!session.TakeImage(files)) {
        PrintError(
            QCoreApplication::translate("Cli", "\"%1\" does not hold a whole ISO 9660 image.")
                .arg(files.value(0)));
        return ExitCode::CheckFailed;
    }
    RecordingReport report;
    int signal = 0;
    QEventLoop loop;
    const TerminationSignals termination([&signal, &session](int received) {
        if (signal == 0)
            signal = received;
        session.Abort();
    });
    QElapsedTimer elapsed;
    elapsed.start();
    ProgressSample sample{0, 0, static_cast<double>(TotalSize(files))};
    QObject::connect(&session, &RecordingSession::PhaseChanged, &loop, [&](RecordingPhase phase) {
        if (phase == RecordingPhase::Recording)
            printer.Begin(files.value(0));
        else
            PrintError(QCoreApplication::translate("Cli", "Verifying the disc against the image."));
    });
    QObject::connect(&session, &RecordingSession::Progress, &loop, [&](int percent) {
        sample.percent = percent;
        sample.elapsedSeconds = static_cast<double>(elapsed.elapsed()) / 1000;
        printer.Show(sample);
    });
    QObject::connect(&session, &RecordingSession::Ended, &loop, [&](const RecordingReport& ended) {
        report = ended;
        loop.quit();
    });
    session.StartPending(PlanFromOptions(context.options, recorder));
    if (session.IsRunning())
        loop.exec();
    printer.End();
    // xorriso's own words first: the messages point to them as the log.
    const bool failed = !report.Succeeded() && report.outcome != RecordingOutcome::Refused;
    if (failed && session.Recording() != nullptr)
        std::fputs(session.Recording()->Output().toLocal8Bit().constData(), stderr);
    if (const QString message = RecordingMessage(report); !message.isEmpty())
        PrintError(message);
    return ExitStatusOf(report, signal);
}
