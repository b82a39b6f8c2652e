#pragma once

#include "imaging/chunkstream.h"

#include <QTemporaryFile>

// A temporary file as long as a stream that holds only the ranges copied into
// it; the rest are holes that take neither space nor time. It lets a reader that
// only opens files by name see a split image's file system without a copy of
// the video data.
class SparseCopy
{
public:
    explicit SparseCopy(const ChunkStream& stream) : m_stream(stream) {}

    // Creates the file, as long as the stream.
    [[nodiscard]] bool Create();

    // Copies bytes [offset, offset + length) of the stream to the same place.
    [[nodiscard]] bool Copy(qint64 offset, qint64 length);

    QString Path() const { return m_file.fileName(); }

private:
    const ChunkStream& m_stream;
    QTemporaryFile m_file;
};
