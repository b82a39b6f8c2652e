#include "recorder/nativerecorder.h"

#include <QFileInfo>

bool IsXorrisoRecorder(const QString& recorderPath)
{
    return !recorderPath.isEmpty() && QFileInfo(recorderPath).fileName() == u"xorriso";
}
