#include "imaging/buildoutput.h"

#include "imaging/mkisofsprogram.h"

#include <QFile>

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

bool BuildOutput::WrittenSinceBegin(const QString& path) const
{
    struct stat info;
    if (stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    const timespec& written = info.st_mtim;
    return written.tv_sec > m_begin.tv_sec ||
           (written.tv_sec == m_begin.tv_sec && written.tv_nsec >= m_begin.tv_nsec);
}

QStringList BuildOutput::Written() const
{
    QStringList files;
    if (m_outputFile.isEmpty())
        return files;
    if (!m_split) {
        if (WrittenSinceBegin(m_outputFile))
            files << m_outputFile;
        return files;
    }
    for (int number = 0; number < Mkisofs::ChunkLimit; ++number) {
        const QString chunk = QString::asprintf(
            Mkisofs::ChunkNameFormat, QFile::encodeName(m_outputFile).constData(), number);
        if (!WrittenSinceBegin(chunk))
            break;
        files << chunk;
    }
    return files;
}

QStringList BuildOutput::RemoveWritten() const
{
    QStringList removed;
    for (const QString& file : Written()) {
        const QByteArray path = QFile::encodeName(file);
        struct stat info;
        if (lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
            unlink(path.constData()) == 0)
            removed << file;
    }
    return removed;
}
