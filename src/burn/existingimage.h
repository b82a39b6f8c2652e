#pragma once

#include "imaging/buildresult.h"

#include <QString>
#include <QStringList>

class RecordingSession;

// An image made earlier and given to be recorded, as far as it was read.
struct ExistingImage
{
    QStringList files;  // the image, or the list's chunks in order; empty for no list
    QStringList report; // what reading it back found, a line each
    // Built when it may be recorded; Refused for a list that is none;
    // CheckFailed for files that are not one whole DVD-Video image.
    BuildOutcome outcome = BuildOutcome::Built;
    QString problem; // why it may not be recorded, where the report does not say it
};

// Reads an image, or an image list's chunks, back: it must open as a DVD-Video
// and be exactly as long as its ISO 9660 file system.
[[nodiscard]] ExistingImage CheckExistingImage(const QString& path);

// The same check, then the files are fingerprinted and kept in the session
// for StartPending, so that a later change is refused before anything is written.
[[nodiscard]] ExistingImage TakeExistingImage(RecordingSession& session, const QString& path);

// "\"image\" does not hold a whole ISO 9660 image."
[[nodiscard]] QString NotWholeImageText(const QString& image);
