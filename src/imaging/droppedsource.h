#pragma once

#include <QString>

// The Source Directory a path from the desktop stands for: a folder is itself,
// unless it is the VIDEO_TS folder, which stands for the folder that holds it;
// a file stands for the folder that holds its VIDEO_TS. Empty when the path is
// neither (a file outside a VIDEO_TS, or nothing at all).
[[nodiscard]] QString SourceFolderOfDroppedPath(const QString& path);
