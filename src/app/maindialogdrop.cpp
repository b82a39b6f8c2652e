// A Source Directory from the desktop: dropped on the window, or named on the
// command line (which is how a file manager's "Open with" hands it over).
#include "app/maindialog.h"
#include "imaging/droppedsource.h"
#include "imaging/volumeid.h"
#include "platform/pathhelper.h"
#include "ui_maindialog.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

// The first local path of a drag that stands for a Source Directory.
QString DroppedSource(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        if (QString folder = SourceFolderOfDroppedPath(url.toLocalFile()); !folder.isEmpty())
            return folder;
    }
    return {};
}

} // namespace

void MainDialog::UseSourceDirectory(const QString& folder)
{
    // What the user typed elsewhere stays; the Volume ID follows the new folder.
    TakeFieldValues();
    m_fields.sourceDirectory = folder;
    m_fields.volumeId = ProposeVolumeId(LastComponentOf(folder));
    ShowFieldValues();
}

void MainDialog::OpenFromCommandLine(const QStringList& arguments)
{
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return;
    const QString given = QFileInfo(arguments.first()).absoluteFilePath();
    const QString folder = SourceFolderOfDroppedPath(given);
    UseSourceDirectory(folder.isEmpty() ? given : folder);
}

void MainDialog::dragEnterEvent(QDragEnterEvent* event)
{
    // Not while a build runs: the fields are locked then.
    if (m_ui->sourceEdit->isEnabled() && !DroppedSource(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainDialog::dropEvent(QDropEvent* event)
{
    const QString folder = DroppedSource(event->mimeData());
    if (!m_ui->sourceEdit->isEnabled() || folder.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    UseSourceDirectory(folder);
}
