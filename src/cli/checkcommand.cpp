#include "cli/checkcommand.h"

#include "cli/clicommands.h"
#include "cli/exitcodes.h"
#include "cli/stderrlines.h"
#include "imaging/dvdfoldercheck.h"
#include "imaging/requestpaths.h"

#include <QCoreApplication>

#include <cstdio>

int RunCheckCommand(CliContext& context)
{
    if (context.options.operands.size() != 1) {
        PrintError(QStringLiteral("isomint-cli: ") +
                   QCoreApplication::translate("CliUsage", "check needs one SOURCE."));
        return ExitCode::Usage;
    }
    const QString& given = context.options.operands.first();
    const QString source = given.isEmpty() ? given : ResolvedSourceDirectory(given);
    QStringList missing;
    const FolderCheckReport report = CheckDvdFolder(
        source,
        [&missing](const QString& path) {
            missing << OutcomeMessage(OutcomeCode::MissingFileAsk, path, 0)
                           .text.section(QLatin1Char('\n'), 0, 0);
            return true;
        },
        true);
    for (const QString& change : report.changes)
        std::printf("%s\n", change.toUtf8().constData());
    for (const QString& problem : missing)
        PrintError(problem);
    for (const QString& note : report.notes)
        PrintError(note);
    if (report.stop) {
        PrintError(ResultMessage(*report.stop));
        return ExitCode::Refused;
    }
    if (report.changes.isEmpty() && missing.isEmpty())
        std::printf("%s\n",
                    qUtf8Printable(QCoreApplication::translate("Cli", "Nothing to change.")));
    return missing.isEmpty() ? ExitCode::Success : ExitCode::Refused;
}
