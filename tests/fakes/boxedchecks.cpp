#include "fakes/boxedchecks.h"

#include "imaging/dvdfoldercheck.h"
#include "imaging/sourcesizecheck.h"
#include "imaging/windowbuild.h"

int CheckDvdFolder(const QString& sourceDirectory, MessageBoxPresenter& presenter)
{
    const FolderCheckReport report =
        CheckDvdFolder(sourceDirectory, [&presenter](const QString& path) {
            return ReportOutcome(presenter, Outcome::MissingFileAsk, path) == IdYes;
        });
    if (!report.stop)
        return 0;
    ShowBuildResult(presenter, *report.stop);
    return -1;
}

int CheckSourceSize(const QString& sourceDirectory, MessageBoxPresenter& presenter)
{
    return CheckSourceSize(sourceDirectory, [&presenter](const QString& question) {
        return ShowWindowBox(presenter, QStringLiteral("DVD Directory Size"), question,
                             BoxKind::QuestionYesNo) != IdNo;
    });
}
