#include "burn/imagelist.h"

#include "platform/pathhelper.h"
#include "recorder/decrypterprogram.h"
#include "settings/programsettings.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

QString ChunkName(const QString& base, int number)
{
    return QString::asprintf(Mkisofs::ChunkNameFormat, QFile::encodeName(base).constData(), number);
}

// A bare name has no folder part: what is named after it stays in the working
// folder, beside it, not in the root.
bool HasFolder(const QString& outputFile)
{
    return outputFile.contains(QLatin1Char('/'));
}

QString Beside(const QString& outputFile, const QString& name)
{
    return HasFolder(outputFile) ? JoinPath(FolderOf(outputFile), name) : name;
}

QString NameOf(const QString& outputFile)
{
    return HasFolder(outputFile) ? LastComponentOf(outputFile) : outputFile;
}

} // namespace

QString ImageListPath(const QString& outputFile)
{
    return Beside(outputFile, StripExtension(NameOf(outputFile)) + QLatin1String(".lst"));
}

bool WriteImageListFile(const QString& outputFile, int chunkLimit)
{
    // Saved through a temporary file, so a crash never leaves half a list.
    QSaveFile list(ImageListPath(outputFile));
    if (!list.open(QIODevice::WriteOnly))
        return false;
    const QByteArray lineEnd("\r\n");
    list.write(QByteArray(Decrypter::ImageListHeader) + lineEnd);
    const QString chunkBase = Beside(outputFile, NameOf(outputFile));
    const int limit = std::min(chunkLimit, Mkisofs::ChunkLimit);
    for (int number = 0; number < limit; ++number) {
        if (!QFileInfo::exists(ChunkName(outputFile, number)))
            break;
        list.write(QFile::encodeName(ChunkName(chunkBase, number)) + lineEnd);
    }
    return list.commit();
}

QStringList ImageChunkFiles(const QString& outputFile, int chunkLimit)
{
    QStringList chunks;
    const int limit = std::min(chunkLimit, Mkisofs::ChunkLimit);
    for (int number = 0; number < limit && QFileInfo::exists(ChunkName(outputFile, number));
         ++number)
        chunks.append(ChunkName(outputFile, number));
    return chunks;
}

void WriteImageList(ProgramSettings& settings, const QString& outputFile, int chunkLimit)
{
    // A list that cannot be written is skipped; the recorder then reports the
    // missing source itself.
    if (settings.GetSplitImageFile())
        static_cast<void>(WriteImageListFile(outputFile, chunkLimit));
}
