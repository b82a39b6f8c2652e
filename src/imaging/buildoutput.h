#pragma once

#include <QString>
#include <QStringList>

#include <ctime>

// The files one build writes under the output name: the image, or its chunks
// "<output>_00" onwards. A file counts as this build's only when its inode
// changed since the build began: unlike a modification time, nobody can set
// that, so what an earlier build or the user left under the same name is
// neither listed, verified nor removed.
class BuildOutput
{
public:
    // Call before the image builder starts.
    void Begin(const QString& outputFile, bool split);

    // This build's files in order. Chunks are taken from 00 on until they hold
    // the volume size the file system in chunk 00 states; they end earlier at
    // the first one that is missing or not this build's.
    [[nodiscard]] QStringList Written() const;

    // Deletes this build's files and returns their paths. A link under the
    // output name stays: the file it leads to is not ours to remove.
    QStringList RemoveWritten() const;

    // The first name a build to outputFile would write to, its lock file
    // included, that exists and is not a regular file, links followed (the
    // builder would wait on a FIFO for ever); empty when there is none.
    [[nodiscard]] static QString FirstNonRegularTarget(const QString& outputFile, bool split);

private:
    [[nodiscard]] static QString ChunkName(const QString& outputFile, int number);
    [[nodiscard]] bool ChangedSinceBegin(const QString& path) const;
    // The chunks from 00 on that this build changed, up to the first gap.
    [[nodiscard]] QStringList ChangedChunks() const;
    [[nodiscard]] QStringList ChangedFiles() const;

    QString m_outputFile;
    bool m_split = false;
    timespec m_begin{};
};
