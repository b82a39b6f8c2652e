#pragma once

#include <QString>
#include <QStringList>

#include <ctime>

// The files one build writes under the output name: the image, or its chunks
// "<output>_00" onwards. Only files changed since the build began count, so
// that what an earlier build left under the same name is neither listed,
// verified nor removed.
class BuildOutput
{
public:
    // Call before the image builder starts.
    void Begin(const QString& outputFile, bool split);

    // This build's files in order; the chunks end at the first one that is
    // missing or older than the build.
    [[nodiscard]] QStringList Written() const;

    // Deletes this build's files and returns their paths. A link under the
    // output name stays: the file it leads to is not ours to remove.
    QStringList RemoveWritten() const;

private:
    [[nodiscard]] bool WrittenSinceBegin(const QString& path) const;

    QString m_outputFile;
    bool m_split = false;
    timespec m_begin{};
};
