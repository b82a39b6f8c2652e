#include "cli/recordcommand.h"

#include "burn/existingimage.h"
#include "burn/recordingsession.h"
#include "cli/clicommands.h"
#include "cli/exitcodes.h"
#include "cli/progressprinter.h"
#include "cli/recordrun.h"
#include "cli/resultobject.h"
#include "cli/stderrlines.h"
#include "imaging/requestpaths.h"

#include <QCoreApplication>
#include <QJsonArray>

#include <unistd.h>

namespace {

QString Misuse(const CliOptions& options)
{
    if (options.operands.size() != 1)
        return QCoreApplication::translate("CliUsage", "record needs one IMAGE or image list.");
    return RecordingMisuse(options);
}

// What a script reads of one image: the image as given, its files, the drive.
ResultObject ResultFor(const QString& given, const CliOptions& options)
{
    ResultObject outcome;
    outcome.Set(QStringLiteral("image"), given);
    outcome.Set(QStringLiteral("parts"), QJsonArray());
    outcome.Set(QStringLiteral("device"), options.device);
    return outcome;
}

int Record(CliContext& context, ProgressPrinter& printer, const QString& given,
           ResultObject& outcome)
{
    RecordingSession session;
    const ExistingImage image = TakeExistingImage(session, given);
    outcome.Set(QStringLiteral("parts"), QJsonArray::fromStringList(image.files));
    outcome.Say(image.report.join(QLatin1Char('\n')));
    outcome.Say(image.problem);
    if (image.outcome != BuildOutcome::Built)
        return outcome.End(image.outcome);
    return RecordImageFiles(context, printer, session, image.files, outcome);
}

} // namespace

int RunRecordCommand(CliContext& context)
{
    if (const QString misuse = Misuse(context.options); !misuse.isEmpty()) {
        PrintError(QStringLiteral("isomint-cli: ") + misuse);
        return ExitCode::Usage;
    }
    ProgressPrinter printer(
        ChooseProgressStyle(context.options.progress, isatty(STDOUT_FILENO) != 0), stdout);
    const QString given = AbsolutePath(context.options.operands.first());
    ResultObject outcome = ResultFor(given, context.options);
    const int status = Record(context, printer, given, outcome);
    printer.PrintResult(outcome.Object());
    return status;
}
