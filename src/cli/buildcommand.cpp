#include "cli/buildcommand.h"

#include "burn/recordingsession.h"
#include "cli/buildrun.h"
#include "cli/checksumrun.h"
#include "cli/clicommands.h"
#include "cli/dryrun.h"
#include "cli/exitcodes.h"
#include "cli/exitstatus.h"
#include "cli/recallingdecisions.h"
#include "cli/recordrun.h"
#include "cli/resultobject.h"
#include "cli/sourcelist.h"
#include "cli/stderrlines.h"
#include "cli/writtentext.h"
#include "imaging/droppedsource.h"
#include "imaging/requestpaths.h"
#include "imaging/volumeid.h"
#include "platform/pathhelper.h"
#include "settings/programsettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QSet>

#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// Progress lines every whole percent need a closer look than the window's bar.
constexpr MonitorTimings kCliTimings{100ms, 250ms, 500ms};

// What mkisofs printed and what the check found: the log the window's
// messages point to.
void PrintCapture(const QString& path)
{
    QFile capture(path);
    if (capture.open(QIODevice::ReadOnly))
        std::fputs(capture.readAll().constData(), stderr);
}

class BuildCommand
{
public:
    explicit BuildCommand(CliContext& context);
    int Run();

private:
    [[nodiscard]] QString Misuse() const;
    [[nodiscard]] std::optional<QStringList> Sources(QString* problem) const;
    BuildRequest RequestFor(const QString& source) const;
    int BuildOne(const BuildRequest& request);
    int Finish(const BuildRequest& request, const BuildResult& result, ResultObject& outcome);
    int RefuseTwin(const QString& source, const BuildRequest& request);
    int RefuseOutputDir();
    int RefuseBatch(const QString& reason);
    void Report(const BuildRequest& request, const BuildResult& result, ResultObject& outcome);
    void ReportWritten(const BuildResult& result, ResultObject& outcome) const;

    CliContext& m_context;
    const CliOptions& m_options;
    BuildEngine m_engine{kCliTimings};
    ProgressPrinter m_printer;
    RecallingDecisions m_decisions;
    BuildRun m_run{m_engine, m_printer};
    bool m_split = false;
    bool m_sizeCheck = false;
};

BuildCommand::BuildCommand(CliContext& context)
    : m_context(context), m_options(context.options),
      m_printer(ChooseProgressStyle(m_options.progress, isatty(STDOUT_FILENO) != 0), stdout),
      m_decisions(m_options.answer, TerminalAnswerReader())
{
    m_engine.SetProgramFolder(context.programFolder);
}

QString BuildCommand::Misuse() const
{
    if (!m_options.sourcesFrom.isEmpty() && m_options.outputDir.isEmpty())
        return QCoreApplication::translate("CliUsage", "--sources-from needs --output-dir.");
    if (m_options.outputDir.isEmpty() && m_options.operands.size() != 2)
        return QCoreApplication::translate(
            "CliUsage", "build needs SOURCE and OUTPUT, or SOURCE... --output-dir DIR.");
    if (m_options.outputDir.isEmpty() && m_options.operands.value(1) == QLatin1String("-"))
        return QCoreApplication::translate(
            "CliUsage", "OUTPUT \"-\" is no file name: an image cannot go to standard output.");
    if (!m_options.outputDir.isEmpty() && m_options.operands.isEmpty() &&
        m_options.sourcesFrom.isEmpty())
        return QCoreApplication::translate("CliUsage",
                                           "build --output-dir needs at least one SOURCE.");
    if (!m_options.outputDir.isEmpty() && !m_options.volumeId.isEmpty())
        return QCoreApplication::translate("CliUsage",
                                           "--volume-id names one image; with --output-dir each "
                                           "image is named after its own source.");
    if (m_options.record && !m_options.outputDir.isEmpty())
        return QCoreApplication::translate(
            "CliUsage", "--record takes one image; a batch would need a disc for each.");
    if (m_options.record)
        return RecordingMisuse(m_options);
    if (!m_options.device.isEmpty() || !m_options.speed.isEmpty() || m_options.erase ||
        m_options.verify || m_options.eject)
        return QCoreApplication::translate("CliUsage",
                                           "--device and the recording options need --record.");
    return QString();
}

// A VIDEO_TS folder stands for the folder that holds it, as one dropped on
// the window does; the folder check would refuse it.
QString SourceFolderOf(const QString& given)
{
    if (!QFileInfo(given).isDir())
        return given;
    QString folder = SourceFolderOfDroppedPath(given);
    if (folder.isEmpty() || folder == QDir(given).absolutePath())
        return given;
    PrintError(QCoreApplication::translate(
                   "Cli", R"("%1" is a VIDEO_TS folder: building the folder that holds it, "%2".)")
                   .arg(given, folder));
    return folder;
}

// The Volume ID proposed as the window proposes it, from the folder's name.
BuildRequest BuildCommand::RequestFor(const QString& given) const
{
    BuildRequest request;
    const QString source = SourceFolderOf(given);
    request.sourceDirectory = source;
    const QString name = LastComponentOf(QDir::cleanPath(QDir(source).absolutePath()));
    request.volumeId = m_options.volumeId.isEmpty() ? ProposeVolumeId(name) : m_options.volumeId;
    request.outputFile =
        m_options.outputDir.isEmpty()
            ? m_options.operands.at(1)
            : QDir(m_options.outputDir).filePath(request.volumeId + QStringLiteral(".iso"));
    request.split = m_split;
    request.sizeCheck = m_sizeCheck;
    return request;
}

int BuildCommand::Run()
{
    if (const QString misuse = Misuse(); !misuse.isEmpty()) {
        PrintError(QStringLiteral("isomint-cli: ") + misuse);
        return ExitCode::Usage;
    }
    // Refused before any source is touched, rather than once for every source.
    if (!m_options.outputDir.isEmpty() && !QFileInfo(m_options.outputDir).isDir())
        return RefuseOutputDir();
    m_split = m_options.split ? *m_options.split : m_context.settings.GetSplitImageFile();
    m_sizeCheck = m_options.sizeCheck ? *m_options.sizeCheck : m_context.settings.GetCheckDirSize();
    QString unreadable;
    const std::optional<QStringList> sources = Sources(&unreadable);
    if (!sources)
        return RefuseBatch(unreadable);
    int status = ExitCode::Success;
    QSet<QString> outputs;
    for (const QString& source : *sources) {
        const BuildRequest request = RequestFor(source);
        // Two sources of one name would make the second overwrite the first's image.
        int built = ExitCode::Success;
        if (outputs.contains(request.outputFile))
            built = RefuseTwin(source, request);
        else
            built = m_options.dryRun ? PrintDryRun(request, m_context.programFolder)
                                     : BuildOne(request);
        outputs.insert(request.outputFile);
        if (m_run.StopSignal() != 0)
            return ExitStatusOf({BuildOutcome::Aborted, std::nullopt, m_run.StopSignal()});
        if (status == ExitCode::Success)
            status = built;
    }
    return status;
}

// The operands, then the sources a list names.
std::optional<QStringList> BuildCommand::Sources(QString* problem) const
{
    if (m_options.outputDir.isEmpty())
        return m_options.operands.mid(0, 1);
    if (m_options.sourcesFrom.isEmpty())
        return m_options.operands;
    const std::optional<QStringList> listed =
        ReadSourceList(m_options.sourcesFrom, m_options.nulSeparated, problem);
    if (!listed)
        return std::nullopt;
    return m_options.operands + *listed;
}

// What a script reads of one source before the run has said anything.
ResultObject ResultFor(const BuildRequest& request)
{
    ResultObject outcome;
    outcome.Set(QStringLiteral("source"), TextOrNull(AbsolutePath(request.sourceDirectory)));
    outcome.Set(QStringLiteral("output"), TextOrNull(AbsolutePath(request.outputFile)));
    outcome.Set(QStringLiteral("volumeId"), TextOrNull(request.volumeId));
    outcome.Set(QStringLiteral("parts"), QJsonArray());
    outcome.Set(QStringLiteral("list"), QJsonValue());
    outcome.Set(QStringLiteral("bytes"), QJsonValue());
    return outcome;
}

int BuildCommand::BuildOne(const BuildRequest& request)
{
    if (!m_options.outputDir.isEmpty())
        PrintError(QCoreApplication::translate("Cli", R"(Building "%1" from "%2".)")
                       .arg(request.outputFile, request.sourceDirectory));
    const BuildResult result = m_run.Run(request, m_decisions);
    ResultObject outcome = ResultFor(request);
    // The label the engine used, derived there when none was given.
    if (!m_run.Taken().volumeId.isEmpty())
        outcome.Set(QStringLiteral("volumeId"), m_run.Taken().volumeId);
    const int status = Finish(request, result, outcome);
    m_printer.PrintResult(outcome.Object());
    return status;
}

int BuildCommand::Finish(const BuildRequest& request, const BuildResult& result,
                         ResultObject& outcome)
{
    Report(request, result, outcome);
    if (result.outcome != BuildOutcome::Built)
        return outcome.End({result.outcome, std::nullopt, m_run.StopSignal()});
    // A checksum that cannot be written fails the build, as a failed write would.
    if (!WriteRequestedChecksums(m_options, request.outputFile, result.parts, outcome))
        return outcome.End(BuildOutcome::BuildFailed);
    return HandOverBuiltImage(m_context, m_printer,
                              {AbsolutePath(request.outputFile), result.parts, request.split},
                              outcome);
}

int BuildCommand::RefuseTwin(const QString& source, const BuildRequest& request)
{
    ResultObject outcome = ResultFor(request);
    outcome.Say(
        QCoreApplication::translate("Cli", "%1: another source of this batch is built to \"%2\".")
            .arg(source, request.outputFile));
    outcome.End(BuildOutcome::Refused);
    m_printer.PrintResult(outcome.Object());
    return outcome.Status();
}

// One result for the whole batch: no source was looked at.
int BuildCommand::RefuseOutputDir()
{
    return RefuseBatch(
        QCoreApplication::translate("Cli", "The output folder \"%1\" is not an existing folder.")
            .arg(m_options.outputDir));
}

// A whole batch refused before any source is touched: one result for all.
int BuildCommand::RefuseBatch(const QString& reason)
{
    ResultObject outcome = ResultFor({});
    outcome.Say(reason);
    outcome.End(BuildOutcome::Refused);
    m_printer.PrintResult(outcome.Object());
    return outcome.Status();
}

void BuildCommand::Report(const BuildRequest& request, const BuildResult& result,
                          ResultObject& outcome)
{
    // A No ends the build without a message: the question it answered is the reason.
    const QString question = m_decisions.TakeQuestion();
    if (result.outcome == BuildOutcome::BuildFailed || result.outcome == BuildOutcome::CheckFailed)
        PrintCapture(m_engine.CaptureFilePath());
    if (result.outcome == BuildOutcome::Aborted) {
        outcome.Say(QCoreApplication::translate(
                        "Cli", "Stopped: what this build of \"%1\" wrote was removed.")
                        .arg(request.outputFile));
        for (const QString& note : result.notes)
            outcome.Say(note);
        return;
    }
    if (result.outcome == BuildOutcome::Built) {
        ReportWritten(result, outcome);
        return;
    }
    const QString message = ResultMessage(result);
    if (message.isEmpty() && result.outcome == BuildOutcome::Declined)
        outcome.Keep(question);
    outcome.Say(message);
}

// The window's "See log for details." would point to no log here.
void BuildCommand::ReportWritten(const BuildResult& result, ResultObject& outcome) const
{
    const qint64 bytes = ImageBytes(result.parts);
    outcome.Set(QStringLiteral("parts"), QJsonArray::fromStringList(result.parts));
    outcome.Set(QStringLiteral("bytes"), bytes);
    outcome.Say(WrittenText(result.parts, bytes, m_run.Taken().volumeId));
    for (const QString& note : result.notes)
        outcome.Say(note);
}

} // namespace

int RunBuildCommand(CliContext& context)
{
    return BuildCommand(context).Run();
}
