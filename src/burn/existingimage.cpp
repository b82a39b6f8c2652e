#include "burn/existingimage.h"

#include "burn/recordingsession.h"
#include "imaging/imageverifier.h"
#include "recorder/decrypterprogram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

// A list gives its chunks one a line after its header; a relative one is
// taken beside the list.
std::optional<QStringList> ListedChunks(const QString& listPath)
{
    QFile list(listPath);
    if (!list.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = list.readAll().split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != Decrypter::ImageListHeader)
        return std::nullopt;
    QStringList chunks;
    const QDir folder = QFileInfo(listPath).absoluteDir();
    for (qsizetype index = 1; index < lines.size(); ++index) {
        const QByteArray line = lines.at(index).trimmed();
        if (!line.isEmpty())
            chunks << QDir::cleanPath(folder.absoluteFilePath(QFile::decodeName(line)));
    }
    if (chunks.isEmpty())
        return std::nullopt;
    return chunks;
}

bool IsImageList(const QString& path)
{
    return path.endsWith(QLatin1String(".lst"), Qt::CaseInsensitive);
}

} // namespace

ExistingImage CheckExistingImage(const QString& path)
{
    ExistingImage image;
    std::optional<QStringList> files = QStringList{path};
    if (IsImageList(path))
        files = ListedChunks(path);
    if (!files) {
        image.outcome = BuildOutcome::Refused;
        image.problem =
            QCoreApplication::translate("Recording", "\"%1\" is not an image list.").arg(path);
        return image;
    }
    image.files = *files;
    // Only an image that reads as a DVD-Video, whole, is worth a disc.
    const ImageVerification check = VerifyDvdImageAlone(image.files);
    image.report = check.report;
    if (!check.ok)
        image.outcome = BuildOutcome::CheckFailed;
    return image;
}

ExistingImage TakeExistingImage(RecordingSession& session, const QString& path)
{
    ExistingImage image = CheckExistingImage(path);
    if (image.outcome == BuildOutcome::Built && !session.TakeImage(image.files)) {
        image.outcome = BuildOutcome::CheckFailed;
        image.problem = NotWholeImageText(image.files.value(0));
    }
    return image;
}

QString NotWholeImageText(const QString& image)
{
    return QCoreApplication::translate("Recording", "\"%1\" does not hold a whole ISO 9660 image.")
        .arg(image);
}
