#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The SHA-256 checksums of a built image, in the format `sha256sum -c` reads:
// one line "<64 hex digits>  <name>" per file, the name as seen from the
// folder of the checksum file.

// One line, newline included. A name holding a backslash, a line feed or a
// carriage return is escaped and the line starts with a backslash, as
// sha256sum writes it, so that the line still names the file.
[[nodiscard]] QByteArray ChecksumLine(const QByteArray& hexDigest, const QString& name);

// The file's SHA-256 as 64 lower-case hex digits; empty, with the reason in
// *problem, when it cannot be read whole.
[[nodiscard]] QByteArray FileSha256(const QString& path, QString* problem);

// Writes the checksums of the files (an image, or its chunks in order) to
// checksumFile, which replaces an older one whole or not at all. Returns the
// reason when it could not be written, else an empty text; an older list is
// then removed, since it describes files that were replaced.
[[nodiscard]] QString WriteImageChecksums(const QStringList& files, const QString& checksumFile);
