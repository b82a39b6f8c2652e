#pragma once

#include "platform/messagebox.h"

#include <QString>

// Makes sure the source holds a DVD-Video structure the image builder accepts:
// creates a missing AUDIO_TS folder and renames the DVD-Video folders and files
// to upper case, never replacing an entry. Missing mandatory files end the
// check with an error, missing title-set files ask whether to go on. Returns 0
// when the build may go on, -1 when it must not.
int CheckDvdFolder(const QString& sourceDirectory, MessageBoxPresenter& presenter);
