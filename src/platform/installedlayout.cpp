#include "platform/installedlayout.h"

#include <QFileInfo>

namespace {

// The installed data folder beside the program folder, or empty when the
// program folder is no installed one.
QString InstalledDataFolder(const QString& programFolder)
{
    // Both are fixed below the prefix, so an install moved by --prefix or
    // DESTDIR is recognised as well.
    const QString tail = QStringLiteral("/" ISOMINT_INSTALL_PROGRAM_DIR);
    if (!programFolder.endsWith(tail))
        return {};
    QString data =
        programFolder.chopped(tail.size()) + QStringLiteral("/" ISOMINT_INSTALL_DATA_DIR);
    return QFileInfo(data).isDir() ? data : QString();
}

} // namespace

bool IsInstalledCopy(const QString& programFolder)
{
    return !InstalledDataFolder(programFolder).isEmpty();
}

QString DataFolder(const QString& programFolder)
{
    QString data = InstalledDataFolder(programFolder);
    return data.isEmpty() ? programFolder : data;
}
