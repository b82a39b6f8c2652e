#include "imaging/chunkstream.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// pread may return less than asked, for example beyond 2 GB at once.
bool ReadFully(int fd, char* data, qint64 length, qint64 offset)
{
    while (length > 0) {
        const ssize_t got =
            pread(fd, data, static_cast<size_t>(length), static_cast<off_t>(offset));
        if (got <= 0)
            return false;
        data += got;
        offset += got;
        length -= got;
    }
    return true;
}

} // namespace

ChunkStream::~ChunkStream()
{
    for (const Part& part : m_parts)
        close(part.fd);
}

bool ChunkStream::Open(const QStringList& parts)
{
    for (const QString& path : parts) {
        const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        struct stat info;
        if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            if (fd >= 0)
                close(fd);
            m_failedPart = path;
            return false;
        }
        m_parts.push_back({fd, m_size, static_cast<qint64>(info.st_size)});
        m_size += info.st_size;
    }
    return !m_parts.empty();
}

bool ChunkStream::Read(qint64 offset, char* data, qint64 length) const
{
    if (offset < 0 || length < 0 || length > m_size - offset)
        return false;
    for (const Part& part : m_parts) {
        if (length == 0)
            break;
        const qint64 end = part.start + part.size;
        if (offset >= end)
            continue;
        const qint64 count = qMin(length, end - offset);
        if (!ReadFully(part.fd, data, count, offset - part.start))
            return false;
        data += count;
        offset += count;
        length -= count;
    }
    return length == 0;
}
