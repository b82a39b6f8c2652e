#pragma once

#include <QString>
#include <QStringList>

class ResultObject;

// What the folder check would do to a source, found without changing it: the
// renames and the folder it would make, the title-set files it would ask
// about, its notes, and the refusal that would stop the build.
struct FolderPlan
{
    QString source; // resolved as a build resolves it
    QStringList changes;
    QStringList missing; // "Missing file: <path>", one a file
    QStringList notes;
    QString refusal; // empty when the build may go on

    [[nodiscard]] bool NothingStops() const { return missing.isEmpty() && refusal.isEmpty(); }
};

[[nodiscard]] FolderPlan PlanFolder(const QString& given);

// Says on standard error, through outcome, what would stop a build and the
// notes; returns the exit status of the source alone.
int SayPlan(const FolderPlan& plan, ResultObject& outcome);
