#pragma once

#include "imaging/buildresult.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Makes sure the source holds a DVD-Video structure the image builder accepts:
// creates a missing AUDIO_TS folder and renames the DVD-Video folders and files
// to upper case, never replacing an entry. Missing mandatory files end the
// check with an error, missing title-set files ask whether to go on.
//
// Nothing is changed until every check has passed and every question was
// answered Yes: a refused or declined build leaves the source as it was. The
// check refuses names that differ only in case and symbolic links in VIDEO_TS
// (or VIDEO_TS as a link), since the builder would mangle the ones and leave
// the others out, and a file or folder anywhere in the source that cannot be
// read, which the builder would skip. A rename that fails stops the build,
// naming the file; an AUDIO_TS that cannot be created is noted.
// Each folder is read once.
//
// A dry run changes nothing: it lists what it would rename or create, and
// goes on past a missing title-set file once it has asked.
struct FolderCheckReport
{
    std::optional<BuildResult> stop; // why the build must not go on
    QStringList changes;             // what was (or would be) renamed or created
    QStringList notes;               // what the user should know, though nothing stops
};

// Asked for each missing title-set file; true goes on without it.
using MissingFileQuestion = std::function<bool(const QString& path)>;

[[nodiscard]] FolderCheckReport CheckDvdFolder(const QString& sourceDirectory,
                                               const MissingFileQuestion& ask, bool dryRun = false);
