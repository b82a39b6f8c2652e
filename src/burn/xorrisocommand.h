#pragma once

#include "recorder/nativerecorder.h"

#include <QString>
#include <QStringList>

#include <optional>

// What one native recording run is made of.
struct XorrisoCall
{
    QString drive;     // a device such as /dev/sr0, or stdio:PATH for a file
    QString speedText; // the selected Recording Speed item; empty or "MAX" for the fastest
    bool erase = false;
    bool eject = true;       // off while a verification still has to read the disc
    qint64 trackSize = -1;   // the track's size when it comes on standard input; -1 for a file
    QString source;          // the image; ignored when the track comes on standard input
    qint64 imageLength = -1; // what xorriso must report written; -1 for the sources' size
};

// The x factor for a speed item ("2,4x" -> "2.4d", DVD speeds); empty for the fastest.
[[nodiscard]] QString XorrisoSpeed(const QString& speedText);

// The arguments of "xorriso -as cdrecord" for one run, ending with an eject.
[[nodiscard]] QStringList XorrisoArguments(const XorrisoCall& call);

// The arguments that eject the disc after a verification.
[[nodiscard]] QStringList XorrisoEjectArguments(const QString& drive);

// The percentage in a progress line "N of M MB written"; none for other lines.
[[nodiscard]] std::optional<int> RecordingPercent(const QString& line);
