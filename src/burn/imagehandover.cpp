#include "burn/imagehandover.h"

#include "burn/decrypterburn.h"
#include "burn/imagelist.h"

void HandOverImage(ProgramSettings& settings, const RecordingChoices& choices,
                   const QString& outputFile, int chunkCount)
{
    WriteImageList(settings, outputFile, chunkCount);
    DecrypterBurn(settings, choices, outputFile);
}
