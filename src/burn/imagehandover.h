#pragma once

#include <QString>

class ProgramSettings;
struct RecordingChoices;

// What follows a complete image for the Windows recorder: the list of a split
// image's chunks, then the recorder when recording is on. chunkCount is the
// number of chunks the build wrote, so that older chunks under the same name
// are never listed.
void HandOverImage(ProgramSettings& settings, const RecordingChoices& choices,
                   const QString& outputFile, int chunkCount);
