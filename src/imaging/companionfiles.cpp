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

int CheckCompanionFiles(const QString& programFolder, MessageBoxPresenter& presenter)
{
    for (const QString& name : CompanionFileNames()) {
        if (!EntryExists(JoinPath(programFolder, name))) {
            const QString text =
                LoadStringResource(MissingFileStringId).replace(QLatin1String("%s"), name);
            ShowWindowBox(presenter, QCoreApplication::translate("BuildWindow", "Missing File"),
                          text, BoxKind::Error);
            return -1;
        }
    }
    return 0;
}
