#pragma once

#include "imaging/chunkstream.h"
#include "imaging/sparsecopy.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct dvd_reader_s;

// A file in the image's VIDEO_TS, as libdvdread finds it through UDF.
struct ImageFile
{
    qint64 offset = 0;
    qint64 size = 0;
};

// A title set's first sector counted from VIDEO_TS.IFO, as an entry of the
// video manager's title table gives it.
struct TitleSetStart
{
    int titleSet = 0;
    qint64 sector = 0;

    friend bool operator==(const TitleSetStart&, const TitleSetStart&) = default;
};

// Where the information files place the disc's parts. Players seek by these
// sectors, not through the file system.
struct InformationSectors
{
    QList<TitleSetStart> titleSetStarts; // each distinct entry of the title table
    QMap<int, qint64> titleVobStarts;    // title set: its VTS_nn_1.VOB, counted from its IFO
};

// A finished image opened with libdvdread, the library DVD players use. This
// libdvdread reads a caller's stream only through libdvdcss, which Debian does
// not ship, so a split image is shown to it as a sparse copy that holds the file
// system and, when asked for, the information files.
class DvdImage
{
public:
    DvdImage() = default;
    ~DvdImage();
    DvdImage(const DvdImage&) = delete;
    DvdImage& operator=(const DvdImage&) = delete;

    // Opens the image file, or the chunk files in order. False when it cannot be
    // read as a disc with a VIDEO_TS folder; Problem() then says why.
    [[nodiscard]] bool Open(const QStringList& parts);
    const QString& Problem() const { return m_problem; }

    // The image's bytes, whole or chunked, as one stream.
    const ChunkStream& Stream() const { return m_stream; }

    // Bytes in all parts, and bytes the ISO 9660 file system claims.
    qint64 StreamSize() const { return m_stream.Size(); }
    qint64 VolumeBytes() const { return m_volumeBytes; }

    // A file of VIDEO_TS; none when the reader does not find it. An empty file
    // has no place on the disc, so the reader cannot find it either.
    std::optional<ImageFile> Find(const QString& name) const;

    // The title sets the video manager counts; -1 when its information file
    // cannot be read.
    int TitleSetCount();

    // Whether the information file of a title set, or its backup, can be read.
    [[nodiscard]] bool ReadsTitleSet(int titleSet);

    // What TitleSetCount and ReadsTitleSet read of the layout, so that the
    // information files are read once.
    const InformationSectors& Sectors() const { return m_sectors; }

    // The errors and warnings libdvdread reported, in its own words.
    const QStringList& ReaderMessages() const { return m_messages; }

private:
    bool Fail(const QString& problem);
    bool CopyFileSystem();
    void ProvideInformationFiles(int titleSet);

    ChunkStream m_stream;
    std::unique_ptr<SparseCopy> m_copy;
    dvd_reader_s* m_dvd = nullptr;
    qint64 m_volumeBytes = -1;
    InformationSectors m_sectors;
    QString m_problem;
    QStringList m_messages;
};
