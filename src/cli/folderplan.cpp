#include "cli/folderplan.h"

#include "cli/resultobject.h"
#include "imaging/buildresult.h"
#include "imaging/dvdfoldercheck.h"
#include "imaging/requestpaths.h"

FolderPlan PlanFolder(const QString& given)
{
    FolderPlan plan;
    plan.source = given.isEmpty() ? given : ResolvedSourceDirectory(given);
    // Every question answered Yes, so that the whole plan is seen.
    const FolderCheckReport report = CheckDvdFolder(
        plan.source,
        [&plan](const QString& path) {
            plan.missing << OutcomeMessage(OutcomeCode::MissingFileAsk, path, 0)
                                .text.section(QLatin1Char('\n'), 0, 0);
            return true;
        },
        true);
    plan.changes = report.changes;
    plan.notes = report.notes;
    if (report.stop)
        plan.refusal = ResultMessage(*report.stop);
    return plan;
}

int SayPlan(const FolderPlan& plan, ResultObject& outcome)
{
    for (const QString& line : plan.missing + plan.notes)
        outcome.Say(line);
    if (!plan.refusal.isEmpty())
        outcome.Say(plan.refusal);
    return outcome.End(plan.NothingStops() ? BuildOutcome::Built : BuildOutcome::Refused);
}
