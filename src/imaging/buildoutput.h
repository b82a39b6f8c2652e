#pragma once

#include <QString>
#include <QStringList>

// Where one build writes: a private folder beside the Output File, made with
// mkdtemp (mode 0700) and named ".<output name>.isomint-XXXXXX", in which the
// builder writes the image, or its chunks "<name>_00" onwards, under the
// Output File's own name. Nobody else can plant a link in it, and nothing
// partial ever carries the Output File's name: only an image found whole is
// renamed onto it (or its chunks, in order), so that a failed, aborted or
// killed build leaves an earlier image exactly as it was.
class BuildOutput
{
public:
    BuildOutput() = default;
    ~BuildOutput();
    BuildOutput(const BuildOutput&) = delete;
    BuildOutput& operator=(const BuildOutput&) = delete;

    // Makes the private folder for outputFile, the resolved name the image is
    // to have. Returns 0, or the errno of the failure.
    [[nodiscard]] int Begin(const QString& outputFile, bool split);

    // The name the builder writes to, inside the private folder.
    QString StagedFile() const;
    // The same before the folder is made: its random part is "XXXXXX".
    [[nodiscard]] static QString StagedFilePattern(const QString& outputFile);

    // Whether an image (or its first chunk) already has the final name.
    [[nodiscard]] bool HasEarlierImage() const;

    // The staged files in order: the image, or the chunks from 00 up to the first gap.
    [[nodiscard]] QStringList Written() const;

    // Renames the staged files onto their final names, in order, and removes
    // the private folder. Returns the final names; on a failure, empty, with
    // the reason in *problem.
    [[nodiscard]] QStringList Place(QString* problem);

    // Deletes whatever is staged, and the private folder; returns the files deleted.
    QStringList RemoveWritten();

    // The first name a build to outputFile would finally write, its lock file
    // included, that exists and is not a regular file, links followed; empty
    // when there is none.
    [[nodiscard]] static QString FirstNonRegularTarget(const QString& outputFile, bool split);

    // Removes the private folders that builds to outputFile left when they were
    // killed. Only for the holder of the Output File's lock: no live build can
    // then be writing in one. Returns the folders removed.
    static QStringList RemoveAbandoned(const QString& outputFile);

private:
    [[nodiscard]] static QString ChunkName(const QString& file, int number);
    [[nodiscard]] QStringList FinalNames(qsizetype count) const;

    QString m_outputFile;
    QString m_folder; // empty while none is made
    bool m_split = false;
};
