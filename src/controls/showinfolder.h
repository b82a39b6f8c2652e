#pragma once

#include "controls/filemanager.h"
#include "controls/linkopener.h"

class MessageBoxPresenter;
class QObject;
class QString;

// The text of the button that offers it, in a success box.
QString ShowInFolderText();

// Shows files (an image, or its chunks) selected in their folder by the
// desktop's file manager. Without one, the folder is opened as a link is, and
// a failure of that too is explained as for a link. Nothing happens once
// `context` is gone.
void ShowInFolder(const QStringList& files, QObject* context, MessageBoxPresenter& presenter,
                  FileManager& fileManager = CurrentFileManager(),
                  LinkOpener& opener = CurrentLinkOpener());
