#include "app/manifest.h"

#include "platform/installedlayout.h"
#include "platform/pathhelper.h"
#include "platform/stringtable.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr int ManifestStringId = 115;

} // namespace

QByteArray ManifestText()
{
    const QByteArray format = LoadStringResource(ManifestStringId).toUtf8();
    QByteArray text = QString::asprintf(format.constData(), ISOMINT_VERSION_TEXT).toUtf8();
    return text.replace("\n", "\r\n");
}

bool WriteManifest(const QString& programFolder)
{
    // An installed copy's folder belongs to its package: a file written there
    // would outlive the package's removal.
    if (IsInstalledCopy(programFolder))
        return false;
    const QString path = JoinPath(programFolder, QString::fromLatin1(ManifestName));
    const QFileInfo entry(path);
    if (entry.exists() || entry.isSymLink())
        return false;
    // Written whole or not at all, so a crash never leaves a truncated manifest
    // that later starts would keep.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(ManifestText());
    return file.commit();
}
