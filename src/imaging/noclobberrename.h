#pragma once

#include <QByteArray>

// Renames from to to, never replacing an entry that already exists under the
// new name. On a file system that ignores case, where the new name finds the
// entry itself, the rename goes through a temporary name. Returns false, with
// both entries as they were, when the rename cannot be done.
[[nodiscard]] bool RenameNoReplace(const QByteArray& from, const QByteArray& to);

// The same guarantee where the file system refuses the kernel's no-replace
// flag: a file is linked under the new name and then unlinked, a folder renamed
// onto an empty folder claimed for it. Fails with EEXIST when the name is taken.
[[nodiscard]] bool RenameWithoutReplaceFlag(const QByteArray& from, const QByteArray& to);
