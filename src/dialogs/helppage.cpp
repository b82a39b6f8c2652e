#include "dialogs/helppage.h"

#include "platform/pathhelper.h"

#include <QProcess>

bool OpenHelpPage(const QString& programFolder, const QString& opener)
{
    const QString page = JoinPath(programFolder, QString::fromLatin1(HelpPageName));
    return QProcess::startDetached(opener, {page});
}
