#pragma once

#include "imaging/mkisofsprogram.h"

#include <QString>
#include <QStringList>

class ProgramSettings;

// The list of a split image's chunks, handed to the recorder as its source:
// "IMAGELIST", then one line per chunk "<output folder>/<output name>_NN".
// Lines end with CR LF, since the recorder is a Windows program.

// "<output folder>/<output name without extension>.lst".
QString ImageListPath(const QString& outputFile);

// Writes the list when SplitImageFile is exactly 1 (the setting is read now).
// A list that cannot be written is skipped without a message.
void WriteImageList(ProgramSettings& settings, const QString& outputFile,
                    int chunkLimit = Mkisofs::ChunkLimit);

// Writes the list unconditionally, replacing an old one whole. Chunks are probed
// with the output file as typed, from _00 up to the first gap, at most
// chunkLimit: the number of chunks the build wrote, so that a longer series left
// by an earlier build under the same name is not listed.
// Returns false when the list could not be written.
[[nodiscard]] bool WriteImageListFile(const QString& outputFile,
                                      int chunkLimit = Mkisofs::ChunkLimit);

// The chunks a split build wrote, in order, as the list names them.
[[nodiscard]] QStringList ImageChunkFiles(const QString& outputFile,
                                          int chunkLimit = Mkisofs::ChunkLimit);
