#pragma once

#include <QString>
#include <QStringList>

struct CliOptions;
class ResultObject;

// "<output file>.sha256": where --checksum=sha256 puts a built image's checksums.
[[nodiscard]] QString ChecksumFileOf(const QString& outputFile);

// Writes the checksums of a built image's files (its file, or its chunks in
// order) beside it when --checksum asks for them. False when they could not
// be written: the reason is said through the outcome, and the image stays.
[[nodiscard]] bool WriteRequestedChecksums(const CliOptions& options, const QString& outputFile,
                                           const QStringList& files, ResultObject& outcome);
