#include "dialogs/helppage.h"

#include "platform/pathhelper.h"

void OpenHelpPage(const QString& programFolder, QObject* context, MessageBoxPresenter& presenter,
                  LinkOpener& opener)
{
    const QString page = JoinPath(programFolder, QString::fromLatin1(HelpPageName));
    OpenLinkOrExplain(opener, page, context, presenter);
}
