#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// An image held in one file or in chunk files, read as one concatenated stream.
class ChunkStream
{
public:
    ChunkStream() = default;
    ~ChunkStream();
    ChunkStream(const ChunkStream&) = delete;
    ChunkStream& operator=(const ChunkStream&) = delete;

    // Opens the parts in order. Fails on the first part that cannot be opened or
    // is not a regular file, so that a folder is never taken for an image.
    [[nodiscard]] bool Open(const QStringList& parts);

    // The part Open failed on.
    const QString& FailedPart() const { return m_failedPart; }

    // Total bytes of all parts.
    qint64 Size() const { return m_size; }

    // Reads length bytes at offset, across part boundaries. False when any of
    // them lies past the end or a read fails.
    [[nodiscard]] bool Read(qint64 offset, char* data, qint64 length) const;

private:
    struct Part
    {
        int fd = -1;
        qint64 start = 0;
        qint64 size = 0;
    };

    std::vector<Part> m_parts;
    qint64 m_size = 0;
    QString m_failedPart;
};
