#include "imaging/dvdimage.h"

#include "imaging/isovolume.h"

#include <QCoreApplication>
#include <QFile>

#include <dvdread/dvd_reader.h>
#include <dvdread/dvd_udf.h>
#include <dvdread/ifo_read.h>

#include <cstdio>

namespace {

constexpr char VideoFolder[] = "VIDEO_TS";
// Directories of any sensible disc fit many times over; a larger claim comes
// from a damaged image and would only make the copy slow.
constexpr qint64 FileSystemLimit = qint64(256) << 20;

// Keeps libdvdread's messages off stderr. Debug and information messages are
// dropped, and so is the warning that CSS decryption is unavailable: a freshly
// built image is never encrypted.
void CollectMessage(void* messages, dvd_logger_level_t level, const char* format, va_list args)
{
    if (level != DVD_LOGGER_LEVEL_ERROR && level != DVD_LOGGER_LEVEL_WARN)
        return;
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    const QString message = QString::fromLocal8Bit(text).trimmed();
    if (!message.startsWith(QLatin1String("Encrypted DVD support unavailable")))
        static_cast<QStringList*>(messages)->append(message);
}

const dvd_logger_cb Logger = {CollectMessage};

QString InformationFileName(int titleSet, const char* extension)
{
    return titleSet == 0 ? QStringLiteral("VIDEO_TS.%1").arg(QLatin1String(extension))
                         : QStringLiteral("VTS_%1_0.%2")
                               .arg(titleSet, 2, 10, QLatin1Char('0'))
                               .arg(QLatin1String(extension));
}

QList<TitleSetStart> TitleSetStarts(const tt_srpt_t* table)
{
    QList<TitleSetStart> starts;
    if (table == nullptr || table->title == nullptr)
        return starts;
    for (int n = 0; n < table->nr_of_srpts; ++n) {
        const TitleSetStart start{table->title[n].title_set_nr, table->title[n].title_set_sector};
        // Titles that share a title set repeat its start.
        if (!starts.contains(start))
            starts.append(start);
    }
    return starts;
}

} // namespace

DvdImage::~DvdImage()
{
    if (m_dvd != nullptr)
        DVDClose(m_dvd);
}

bool DvdImage::Open(const QStringList& parts)
{
    const QString unreadable =
        QCoreApplication::translate("ImageCheck", "the image cannot be read as a DVD-Video disc");
    if (parts.isEmpty())
        return Fail(QCoreApplication::translate(
            "ImageCheck", "no image was written")); // mkisofs exited 0 but left no file
    if (!m_stream.Open(parts))
        return Fail(QCoreApplication::translate("ImageCheck", "%1 cannot be opened as a file")
                        .arg(m_stream.FailedPart()));
    m_volumeBytes = IsoVolumeBytes(m_stream);
    if (m_volumeBytes < 0)
        return Fail(unreadable);
    QString path = parts.first();
    if (parts.size() > 1) {
        if (!CopyFileSystem())
            return Fail(unreadable);
        path = m_copy->Path();
    }
    m_dvd = DVDOpen2(&m_messages, &Logger, QFile::encodeName(path).constData());
    uint32_t size = 0;
    if (m_dvd == nullptr || UDFFindFile(m_dvd, "/VIDEO_TS", &size) == 0)
        return Fail(unreadable);
    return true;
}

bool DvdImage::Fail(const QString& problem)
{
    m_problem = problem;
    return false;
}

bool DvdImage::CopyFileSystem()
{
    const qint64 end = IsoFirstFileOffset(m_stream, VideoFolder);
    if (end <= 0 || end > FileSystemLimit)
        return false;
    m_copy = std::make_unique<SparseCopy>(m_stream);
    return m_copy->Create() && m_copy->Copy(0, end);
}

std::optional<ImageFile> DvdImage::Find(const QString& name) const
{
    const QByteArray path =
        QFile::encodeName(QStringLiteral("/%1/%2").arg(QLatin1String(VideoFolder), name));
    uint32_t size = 0;
    const uint32_t block = UDFFindFile(m_dvd, path.constData(), &size);
    if (block == 0)
        return std::nullopt;
    return ImageFile{qint64(block) * DVD_VIDEO_LB_LEN, size};
}

int DvdImage::TitleSetCount()
{
    ProvideInformationFiles(0);
    ifo_handle_t* manager = ifoOpen(m_dvd, 0);
    if (manager == nullptr)
        return -1;
    const int count = manager->vmgi_mat != nullptr ? manager->vmgi_mat->vmg_nr_of_title_sets : -1;
    m_sectors.titleSetStarts = TitleSetStarts(manager->tt_srpt);
    ifoClose(manager);
    return count;
}

bool DvdImage::ReadsTitleSet(int titleSet)
{
    ProvideInformationFiles(titleSet);
    ifo_handle_t* info = ifoOpen(m_dvd, titleSet);
    if (info == nullptr)
        return false;
    if (info->vtsi_mat != nullptr)
        m_sectors.titleVobStarts.insert(titleSet, info->vtsi_mat->vtstt_vobs);
    ifoClose(info);
    return true;
}

void DvdImage::ProvideInformationFiles(int titleSet)
{
    // A file that cannot be copied stays a hole of zeros, which the reader refuses.
    if (m_copy == nullptr)
        return;
    for (const char* extension : {"IFO", "BUP"})
        if (const auto file = Find(InformationFileName(titleSet, extension)))
            static_cast<void>(m_copy->Copy(file->offset, file->size));
}
