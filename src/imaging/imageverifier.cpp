#include "imaging/imageverifier.h"

#include "imaging/dvdimage.h"
#include "imaging/dvdlayoutcheck.h"
#include "imaging/dvdvideonames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

// A disc holds title sets 1 to 99.
constexpr int TitleSetLimit = 99;

// Information files are small, so they are compared in a few reads.
constexpr qint64 CompareBlock = 256 * 1024;

struct SourceFile
{
    QString path;
    QString name;
    qint64 size = 0;
    bool link = false;
};

// The check's own report lines, in the user's language.
struct ImageCheck
{
    Q_DECLARE_TR_FUNCTIONS(ImageCheck)
};

QString Line(const QString& text)
{
    return ImageCheck::tr("Image check: ") + text;
}

// one and many are marked for the catalogue where they are given.
QString Count(qint64 number, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(number).arg(
        QCoreApplication::translate("ImageCheck", number == 1 ? one : many));
}

// Every file of the source's VIDEO_TS, links included: the image builder
// leaves links out, so a linked DVD-Video file must show up as missing.
std::optional<QList<SourceFile>> ListSourceFiles(const QString& sourceDirectory)
{
    const QDir folder(sourceDirectory + QStringLiteral("/VIDEO_TS"));
    if (!folder.exists() || !QFileInfo(folder.path()).isReadable())
        return std::nullopt;
    QList<SourceFile> files;
    const auto filter = QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot;
    for (const QFileInfo& entry : folder.entryInfoList(filter, QDir::Name))
        if (entry.isSymLink() ? !entry.isDir() : entry.isFile())
            files.append({entry.filePath(), entry.fileName(), entry.size(), entry.isSymLink()});
    return files;
}

bool CheckFile(const DvdImage& image, const SourceFile& file, QStringList* report)
{
    const auto found = image.Find(file.name);
    if (!found) {
        // An empty file cannot be told from a missing one, and holds nothing to lose.
        if (file.size == 0 && !file.link)
            return true;
        report->append(Line(ImageCheck::tr("%1 is missing from the image").arg(file.name)));
        return false;
    }
    if (found->size != file.size) {
        report->append(
            Line(ImageCheck::tr("%1 has %2 bytes in the image, %3 in the source")
                     .arg(file.name, QString::number(found->size), QString::number(file.size))));
        return false;
    }
    if (found->offset + found->size > image.StreamSize()) {
        report->append(Line(ImageCheck::tr("%1 runs past the end of the image").arg(file.name)));
        return false;
    }
    return true;
}

// libdvdread falls back to the backup copy without a word when an information
// file is damaged, so these files are compared with the source byte for byte.
bool IsInformationFile(const SourceFile& file)
{
    return !file.link && (file.name.endsWith(QLatin1String(".IFO"), Qt::CaseInsensitive) ||
                          file.name.endsWith(QLatin1String(".BUP"), Qt::CaseInsensitive));
}

// The offset of the first byte that differs, -1 when none does.
qint64 FirstDifference(const DvdImage& image, const ImageFile& found, QFile& source)
{
    QByteArray expected;
    QByteArray actual(CompareBlock, Qt::Uninitialized);
    for (qint64 at = 0; at < found.size; at += expected.size()) {
        expected = source.read(qMin(CompareBlock, found.size - at));
        if (expected.isEmpty() ||
            !image.Stream().Read(found.offset + at, actual.data(), expected.size()))
            return at;
        for (qsizetype n = 0; n < expected.size(); ++n)
            if (expected[n] != actual[n])
                return at + n;
    }
    return -1;
}

bool SameAsSource(const DvdImage& image, const SourceFile& file, QStringList* report)
{
    const auto found = image.Find(file.name);
    if (!found)
        return file.size == 0; // an empty file has no place on the disc to compare
    QFile source(file.path);
    if (!source.open(QIODevice::ReadOnly)) {
        report->append(Line(ImageCheck::tr("%1 cannot be read in the source").arg(file.name)));
        return false;
    }
    const qint64 difference = FirstDifference(image, *found, source);
    if (difference < 0)
        return true;
    report->append(Line(ImageCheck::tr("%1 differs from the source from byte %2 on")
                            .arg(file.name)
                            .arg(difference)));
    return false;
}

// Returns the number of information files found equal, or -1 when one is not.
qsizetype CompareInformationFiles(const DvdImage& image, const QList<SourceFile>& files,
                                  QStringList* report)
{
    qsizetype same = 0;
    bool ok = true;
    for (const SourceFile& file : files) {
        if (!IsInformationFile(file))
            continue;
        if (SameAsSource(image, file, report))
            ++same;
        else
            ok = false;
    }
    return ok ? same : -1;
}

// The number of title sets read back; none when one could not be.
std::optional<int> CheckInformationFiles(DvdImage& image, QStringList* report)
{
    const int count = image.TitleSetCount();
    if (count < 0) {
        report->append(
            Line(ImageCheck::tr("the information file of the video manager cannot be read")));
        return std::nullopt;
    }
    if (count < 1 || count > TitleSetLimit) {
        report->append(Line(ImageCheck::tr("the video manager lists %1 title sets").arg(count)));
        return std::nullopt;
    }
    bool ok = true;
    for (int titleSet = 1; titleSet <= count; ++titleSet) {
        if (!image.ReadsTitleSet(titleSet)) {
            report->append(
                Line(ImageCheck::tr("the information file of title set %1 cannot be read")
                         .arg(titleSet)));
            ok = false;
        }
    }
    if (!ok)
        return std::nullopt;
    return count;
}

// A short image, such as one missing its last chunk, may still hold every file.
bool CheckLength(const DvdImage& image, QStringList* report)
{
    if (image.StreamSize() >= image.VolumeBytes())
        return true;
    report->append(Line(ImageCheck::tr("the image has %1 bytes, its file system needs %2")
                            .arg(image.StreamSize())
                            .arg(image.VolumeBytes())));
    return false;
}

// The files a player reads. The others are noted: stray names such as a
// "VIDEO_TS.IFO;1" beside the real file must not fail a good image.
QList<SourceFile> DvdVideoFiles(const QList<SourceFile>& files, QStringList* report)
{
    QList<SourceFile> dvdFiles;
    for (const SourceFile& file : files) {
        if (IsDvdVideoFileName(file.name))
            dvdFiles.append(file);
        else
            report->append(Line(ImageCheck::tr("note: \"%1\" is not part of the DVD-Video and "
                                               "was not checked.")
                                    .arg(file.name)));
    }
    return dvdFiles;
}

// Every file of the source counts, as a backup must not share its sectors with any.
bool CheckLayout(const DvdImage& image, const QList<SourceFile>& files, QStringList* report)
{
    QStringList names;
    for (const SourceFile& file : files)
        names.append(file.name);
    const QStringList problems = DvdLayoutProblems(image, names);
    for (const QString& problem : problems)
        report->append(Line(problem));
    return problems.isEmpty();
}

// complete: whether the image is as long as its file system; it gets no success line otherwise.
bool CheckImage(DvdImage& image, const QList<SourceFile>& sourceFiles, bool complete,
                QStringList* report)
{
    const QList<SourceFile> files = DvdVideoFiles(sourceFiles, report);
    bool ok = complete;
    for (const SourceFile& file : files)
        ok = CheckFile(image, file, report) && ok;
    // Only files found whole are compared; the others are reported already.
    const qsizetype same = ok ? CompareInformationFiles(image, files, report) : -1;
    const std::optional<int> titleSets = CheckInformationFiles(image, report);
    // The layout is read from information files known to be sound.
    if (same < 0 || !titleSets || !CheckLayout(image, sourceFiles, report))
        return false;
    report->append(Line(ImageCheck::tr("%1 of VIDEO_TS found with their sizes, %2 equal to the "
                                       "source's; the video manager and %3 read back, laid out "
                                       "as their information files say.")
                            .arg(Count(files.size(), QT_TRANSLATE_NOOP("ImageCheck", "file"),
                                       QT_TRANSLATE_NOOP("ImageCheck", "files")),
                                 Count(same, QT_TRANSLATE_NOOP("ImageCheck", "information file"),
                                       QT_TRANSLATE_NOOP("ImageCheck", "information files")),
                                 Count(*titleSets, QT_TRANSLATE_NOOP("ImageCheck", "title set"),
                                       QT_TRANSLATE_NOOP("ImageCheck", "title sets")))));
    return true;
}

} // namespace

ImageVerification VerifyDvdImage(const QString& sourceDirectory, const QStringList& imageParts)
{
    ImageVerification result;
    const auto files = ListSourceFiles(sourceDirectory);
    if (!files) {
        result.report.append(Line(ImageCheck::tr("the source folder's VIDEO_TS cannot be listed")));
        return result;
    }
    DvdImage image;
    const bool opened = image.Open(imageParts);
    const bool complete = CheckLength(image, &result.report);
    if (!opened)
        result.report.append(Line(image.Problem()));
    else
        result.ok = CheckImage(image, *files, complete, &result.report);
    result.readerMessages = image.ReaderMessages();
    return result;
}

ImageVerification VerifyDvdImageAlone(const QStringList& imageParts)
{
    ImageVerification result;
    DvdImage image;
    if (!image.Open(imageParts)) {
        result.report.append(Line(image.Problem()));
    } else if (image.StreamSize() != image.VolumeBytes()) {
        result.report.append(Line(ImageCheck::tr("the image has %1 bytes, its file system %2")
                                      .arg(image.StreamSize())
                                      .arg(image.VolumeBytes())));
    } else if (const std::optional<int> titleSets = CheckInformationFiles(image, &result.report)) {
        result.report.append(
            Line(ImageCheck::tr("the video manager and %1 read back; the image "
                                "holds its file system's %2 bytes.")
                     .arg(Count(*titleSets, QT_TRANSLATE_NOOP("ImageCheck", "title set"),
                                QT_TRANSLATE_NOOP("ImageCheck", "title sets")))
                     .arg(image.VolumeBytes())));
        result.ok = true;
    }
    result.readerMessages = image.ReaderMessages();
    return result;
}
