#pragma once

#include <QString>

// Total size in bytes of every file at any depth below the folder; 0 when the
// folder cannot be listed or holds no bytes. Each file counts with its full
// size. Symbolic links below the folder count 0 and are not followed: the image
// builder leaves them out, and a linked folder could loop. Sub-folders that
// cannot be listed count 0 and the walk goes on.
double MeasureDirectorySize(const QString& folder);
