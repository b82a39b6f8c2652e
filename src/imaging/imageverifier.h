#pragma once

#include <QString>
#include <QStringList>

struct ImageVerification
{
    bool ok = false;
    QStringList report; // lines for the build log, plain English, each naming what it checked or
                        // what failed
    QStringList readerMessages; // libdvdread's own errors and warnings, for diagnosis only
};

// Reads the finished image back with libdvdread, the library DVD players use. imageParts is the
// single image file, or a split image's chunk files in order (read as one concatenated stream).
// sourceDirectory is the folder that holds VIDEO_TS. Checks: the video manager's IFO and every
// title set's IFO open (ifoOpen, title sets counted from the video manager), the image's
// VIDEO_TS holds every DVD-Video file of the source's VIDEO_TS with the same size, every .IFO
// and .BUP in it equals the source's byte for byte, and the files lie on the sectors the
// information files give (DvdLayoutProblems). Other files of the source's VIDEO_TS get a note
// in the report and are not checked.
[[nodiscard]] ImageVerification VerifyDvdImage(const QString& sourceDirectory,
                                               const QStringList& imageParts);

// Reads an image back without its source folder, as one given to be recorded:
// it must open as a DVD-Video, its video manager and every title set must read,
// and its parts together must be exactly as long as its ISO 9660 file system.
[[nodiscard]] ImageVerification VerifyDvdImageAlone(const QStringList& imageParts);
