#include "cli/dryrun.h"

#include "cli/folderplan.h"
#include "cli/resultobject.h"
#include "imaging/buildoutput.h"
#include "imaging/buildrequest.h"
#include "imaging/mkisofscommandline.h"
#include "imaging/requestpaths.h"

#include <cstdio>

int PrintDryRun(const BuildRequest& request, const QString& programFolder)
{
    const FolderPlan plan = PlanFolder(request.sourceDirectory);
    for (const QString& change : plan.changes)
        std::printf("%s\n", change.toUtf8().constData());
    ResultObject outcome;
    const int status = SayPlan(plan, outcome);
    if (!plan.refusal.isEmpty())
        return status;
    MkisofsRequest command;
    command.programFolder = programFolder;
    command.split = request.split;
    command.volumeId = request.volumeId;
    command.outputFile =
        BuildOutput::StagedFilePattern(ResolvedOutputFile(request.outputFile, !request.split));
    command.sourceDirectory = plan.source;
    std::printf("%s\n", FormMkisofsCommandLine(command).toUtf8().constData());
    return status;
}
