#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// What the image check established about a built image, kept until the
// recorder starts: the files in order with their sizes, modification and
// inode change times, and the image's length as its file system gives it. A file changed,
// shortened or removed in between is found before anything is written.
class ImageFingerprint
{
public:
    // Takes the files as they are now. False when one cannot be read or the
    // file system's length does not fit in them.
    [[nodiscard]] bool Take(const QStringList& files);

    // The first file that no longer matches; empty when all still do.
    [[nodiscard]] QString ChangedFile() const;

    [[nodiscard]] QStringList Files() const;
    // The ISO 9660 volume size in bytes: what the disc must hold.
    [[nodiscard]] qint64 ImageLength() const { return m_imageLength; }
    [[nodiscard]] bool IsEmpty() const { return m_files.empty(); }

private:
    struct FileState
    {
        QString path;
        qint64 size = -1;
        qint64 mtimeNs = -1;
        qint64 ctimeNs = -1;
        qint64 inode = -1;

        [[nodiscard]] bool SameAs(const FileState& now) const
        {
            return size == now.size && mtimeNs == now.mtimeNs && ctimeNs == now.ctimeNs &&
                   inode == now.inode;
        }
    };

    [[nodiscard]] static FileState Probe(const QString& path);

    std::vector<FileState> m_files;
    qint64 m_imageLength = -1;
};
