#include "imaging/noclobberrename.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Rename(const QByteArray& from, const QByteArray& to)
{
    return renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0;
}

bool SameEntry(const QByteArray& a, const QByteArray& b)
{
    struct stat first;
    struct stat second;
    return lstat(a.constData(), &first) == 0 && lstat(b.constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Case-only renames on a case-blind file system: step aside to a free name,
// then onto the new one. Every step refuses to replace, so nothing is lost.
bool RenameThroughTemporaryName(const QByteArray& from, const QByteArray& to)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray aside =
            to + ".rename-" + QByteArray::number(getpid()) + "-" + QByteArray::number(attempt);
        if (!Rename(from, aside)) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        if (Rename(aside, to))
            return true;
        Rename(aside, from); // put it back as it was
        return false;
    }
    return false;
}

} // namespace

bool RenameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (Rename(from, to))
        return true;
    if (errno == EEXIST && SameEntry(from, to))
        return RenameThroughTemporaryName(from, to);
    return false;
}
