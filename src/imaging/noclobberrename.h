#pragma once

#include <QByteArray>

// Renames from to to, never replacing an entry that already exists under the
// new name. On a file system that ignores case, where the new name finds the
// entry itself, the rename goes through a temporary name. Returns false, with
// both entries as they were, when the rename cannot be done.
bool RenameNoReplace(const QByteArray& from, const QByteArray& to);
