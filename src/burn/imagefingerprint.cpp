#include "burn/imagefingerprint.h"

#include "imaging/chunkstream.h"
#include "imaging/isovolume.h"

#include <QFile>

#include <sys/stat.h>

ImageFingerprint::FileState ImageFingerprint::Probe(const QString& path)
{
    FileState state;
    state.path = path;
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return state;
    state.size = info.st_size;
    // Nanoseconds: a rewrite within the same second must still count as a change.
    state.mtimeNs = static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    // A modification time can be set back; the inode's change time cannot, and
    // another file moved into the name has another inode.
    state.ctimeNs = static_cast<qint64>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    state.inode = static_cast<qint64>(info.st_ino);
    return state;
}

bool ImageFingerprint::Take(const QStringList& files)
{
    m_files.clear();
    m_imageLength = -1;
    qint64 total = 0;
    for (const QString& file : files) {
        FileState state = Probe(file);
        if (state.size < 0)
            return false;
        total += state.size;
        m_files.push_back(std::move(state));
    }
    ChunkStream stream;
    const qint64 length = stream.Open(files) ? IsoVolumeBytes(stream) : -1;
    if (files.isEmpty() || length <= 0 || length > total) {
        m_files.clear();
        return false;
    }
    m_imageLength = length;
    return true;
}

QString ImageFingerprint::ChangedFile() const
{
    for (const FileState& state : m_files) {
        if (!state.SameAs(Probe(state.path)))
            return state.path;
    }
    return {};
}

QStringList ImageFingerprint::Files() const
{
    QStringList files;
    for (const FileState& state : m_files)
        files << state.path;
    return files;
}
