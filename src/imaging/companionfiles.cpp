#include "imaging/companionfiles.h"

#include "imaging/mkisofsprogram.h"
#include "platform/pathhelper.h"
#include "platform/stringtable.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

namespace {

constexpr int MissingFileStringId = 113;

// Any directory entry of that name counts, a folder or a dangling link included.
bool EntryExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QStringList CompanionFileNames()
{
    return {QString::fromLatin1(Mkisofs::ProgramName)};
}

std::optional<OutcomeText> CheckCompanionFiles(const QString& programFolder)
{
    for (const QString& name : CompanionFileNames()) {
        if (!EntryExists(JoinPath(programFolder, name)))
            return OutcomeText{
                QCoreApplication::translate("BuildWindow", "Missing File"),
                LoadStringResource(MissingFileStringId).replace(QLatin1String("%s"), name),
                OutcomeKind::Error};
    }
    return std::nullopt;
}
