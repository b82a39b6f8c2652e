#pragma once

#include <QString>

#include <optional>

// An entry of the source the image builder could not read.
struct UnreadableEntry
{
    QString path;
    int error = 0; // errno of the failed test
};

// The first entry in folder's tree, the folder itself included, that the image
// builder would silently leave out: a folder that cannot be listed or a
// regular file that cannot be read. Folders come before what they hold, names
// in byte order. Links are not followed, as the builder does not follow them.
[[nodiscard]] std::optional<UnreadableEntry> FirstUnreadableInTree(const QString& folder);
