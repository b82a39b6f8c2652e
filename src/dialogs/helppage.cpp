#include "dialogs/helppage.h"

#include "platform/pathhelper.h"

#include <QCoreApplication>
#include <QFileInfo>

QString HelpPagePath(const QString& programFolder)
{
    // Help follows the window's language through the same catalogue.
    QString page = JoinPath(programFolder, QCoreApplication::translate("HelpPage", HelpPageName));
    if (QFileInfo(page).isFile())
        return page;
    return JoinPath(programFolder, QString::fromLatin1(HelpPageName));
}

void OpenHelpPage(const QString& programFolder, QObject* context, MessageBoxPresenter& presenter,
                  LinkOpener& opener)
{
    OpenLinkOrExplain(opener, HelpPagePath(programFolder), context, presenter);
}
