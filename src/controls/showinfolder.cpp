#include "controls/showinfolder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>

QString ShowInFolderText()
{
    return QCoreApplication::translate("ShowInFolder", "Show in &Folder");
}

void ShowInFolder(const QStringList& files, QObject* context, MessageBoxPresenter& presenter,
                  FileManager& fileManager, LinkOpener& opener)
{
    if (files.isEmpty())
        return;
    const QString folder = QFileInfo(files.first()).absolutePath();
    QPointer<QObject> guard(context);
    fileManager.ShowItems(files, context, [folder, guard, &presenter, &opener](bool shown) {
        if (!shown && guard)
            OpenLinkOrExplain(opener, folder, guard, presenter);
    });
}
