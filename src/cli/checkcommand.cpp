#include "cli/checkcommand.h"

#include "cli/clicommands.h"
#include "cli/exitcodes.h"
#include "cli/folderplan.h"
#include "cli/progressprinter.h"
#include "cli/resultobject.h"
#include "cli/stderrlines.h"

#include <QCoreApplication>
#include <QJsonArray>

#include <cstdio>

#include <unistd.h>

namespace {

// The changes as lines of their own for a reader; a front end finds them in
// the result, a quiet run wants none. "Nothing to change." only when nothing
// would stop a build either.
void PrintChanges(ProgressStyle style, const QStringList& changes, bool nothingStops)
{
    if (style != ProgressStyle::InPlace && style != ProgressStyle::Lines)
        return;
    for (const QString& change : changes)
        std::printf("%s\n", change.toUtf8().constData());
    if (changes.isEmpty() && nothingStops)
        std::printf("%s\n",
                    qUtf8Printable(QCoreApplication::translate("Cli", "Nothing to change.")));
}

} // namespace

int RunCheckCommand(CliContext& context)
{
    if (context.options.operands.size() != 1) {
        PrintError(QStringLiteral("isomint-cli: ") +
                   QCoreApplication::translate("CliUsage", "check needs one SOURCE."));
        return ExitCode::Usage;
    }
    const FolderPlan plan = PlanFolder(context.options.operands.first());
    const ProgressStyle style =
        ChooseProgressStyle(context.options.progress, isatty(STDOUT_FILENO) != 0);
    PrintChanges(style, plan.changes, plan.NothingStops());
    ResultObject outcome;
    outcome.Set(QStringLiteral("source"), TextOrNull(plan.source));
    outcome.Set(QStringLiteral("changes"), QJsonArray::fromStringList(plan.changes));
    const int status = SayPlan(plan, outcome);
    ProgressPrinter(style, stdout).PrintResult(outcome.Object());
    return status;
}
