#include "dialogs/helppage.h"

#include "platform/installedlayout.h"
#include "platform/pathhelper.h"

#include <QCoreApplication>
#include <QFileInfo>

QString HelpPagePath(const QString& programFolder)
{
    const QString folder = DataFolder(programFolder);
    // Help follows the window's language through the same catalogue.
    QString page = JoinPath(folder, QCoreApplication::translate("HelpPage", HelpPageName));
    if (QFileInfo(page).isFile())
        return page;
    return JoinPath(folder, QString::fromLatin1(HelpPageName));
}

void OpenHelpPage(const QString& programFolder, QObject* context, MessageBoxPresenter& presenter,
                  LinkOpener& opener)
{
    OpenLinkOrExplain(opener, HelpPagePath(programFolder), context, presenter);
}
