// Compiled as part of the imaging folder: the recorder launch sits above it, so
// this include must not be found.
#include "burn/imagelist.h"
#include "imaging/buildengine.h"

QString Probe()
{
    return ImageListPath(QString());
}
