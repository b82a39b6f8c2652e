#pragma once

#include "platform/messagebox.h"

#include <QString>

// Makes sure the source holds a DVD-Video structure the image builder accepts:
// creates a missing AUDIO_TS folder and renames the DVD-Video folders and files
// to upper case, never replacing an entry. Missing mandatory files end the
// check with an error, missing title-set files ask whether to go on.
//
// Before anything is changed, the check refuses names that differ only in
// case and symbolic links in VIDEO_TS (or VIDEO_TS as a link): the builder
// would mangle the ones and leave the others out. After the renames it refuses
// a file or folder anywhere in the source that cannot be read, which the
// builder would skip.
// Each folder is read once. Returns 0 when the build may go on, -1 when it
// must not.
[[nodiscard]] int CheckDvdFolder(const QString& sourceDirectory, MessageBoxPresenter& presenter);
