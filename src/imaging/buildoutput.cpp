#include "imaging/buildoutput.h"

#include "imaging/chunkstream.h"
#include "imaging/isovolume.h"
#include "imaging/mkisofsprogram.h"
#include "imaging/outputlock.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

void BuildOutput::Begin(const QString& outputFile, bool split)
{
    m_outputFile = outputFile;
    m_split = split;
    // File times come from the coarse clock; a finer start could be later than
    // the time of a file written right after it.
    clock_gettime(CLOCK_REALTIME_COARSE, &m_begin);
}

QString BuildOutput::ChunkName(const QString& outputFile, int number)
{
    return QString::asprintf(Mkisofs::ChunkNameFormat, QFile::encodeName(outputFile).constData(),
                             number);
}

bool BuildOutput::ChangedSinceBegin(const QString& path) const
{
    struct stat info;
    if (stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    const timespec& changed = info.st_ctim;
    return changed.tv_sec > m_begin.tv_sec ||
           (changed.tv_sec == m_begin.tv_sec && changed.tv_nsec >= m_begin.tv_nsec);
}

QStringList BuildOutput::ChangedChunks() const
{
    QStringList chunks;
    for (int number = 0; number < Mkisofs::ChunkLimit; ++number) {
        const QString chunk = ChunkName(m_outputFile, number);
        if (!ChangedSinceBegin(chunk))
            break;
        chunks << chunk;
    }
    return chunks;
}

QStringList BuildOutput::ChangedFiles() const
{
    if (m_outputFile.isEmpty())
        return {};
    if (m_split)
        return ChangedChunks();
    return ChangedSinceBegin(m_outputFile) ? QStringList{m_outputFile} : QStringList();
}

QStringList BuildOutput::Written() const
{
    QStringList files = ChangedFiles();
    ChunkStream first;
    if (!m_split || files.isEmpty() || !first.Open(files.mid(0, 1)))
        return files;
    // Without a file system to say how long the image is, the read-back check
    // fails on these chunks and says why.
    const qint64 volume = IsoVolumeBytes(first);
    if (volume < 0)
        return files;
    qint64 held = 0;
    qsizetype count = 0;
    while (count < files.size() && held < volume)
        held += QFileInfo(files.at(count++)).size();
    return files.mid(0, count);
}

QStringList BuildOutput::RemoveWritten() const
{
    QStringList removed;
    for (const QString& file : ChangedFiles()) {
        const QByteArray path = QFile::encodeName(file);
        struct stat info;
        if (lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
            unlink(path.constData()) == 0)
            removed << file;
    }
    return removed;
}

QString BuildOutput::FirstNonRegularTarget(const QString& outputFile, bool split)
{
    QStringList names{outputFile, OutputLock::LockFileName(outputFile)};
    for (int number = 0; split && number < Mkisofs::ChunkLimit; ++number)
        names << ChunkName(outputFile, number);
    for (const QString& name : names) {
        struct stat info;
        if (stat(QFile::encodeName(name).constData(), &info) == 0 && !S_ISREG(info.st_mode))
            return name;
    }
    return {};
}
