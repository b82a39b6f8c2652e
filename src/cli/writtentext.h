#pragma once

#include <QString>
#include <QStringList>

// What a complete build wrote, said on one line instead of the window's
// "See log for details.", which points to no log here: the file, or the
// first and last chunk and how many, the size and the label.
[[nodiscard]] QString WrittenText(const QStringList& parts, qint64 bytes, const QString& volumeId);

// The line after a split image's: where its chunks are listed.
[[nodiscard]] QString ListedText(const QString& list);

// The size of an image's files together.
[[nodiscard]] qint64 ImageBytes(const QStringList& parts);
