#include "imaging/noclobberrename.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Rename(const QByteArray& from, const QByteArray& to)
{
    if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    // NFS and 9p refuse the flag itself, kernels before 3.15 the whole call.
    return (errno == EINVAL || errno == ENOSYS) && RenameWithoutReplaceFlag(from, to);
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

bool RenameWithoutReplaceFlag(const QByteArray& from, const QByteArray& to)
{
    struct stat info;
    if (lstat(from.constData(), &info) != 0)
        return false;
    if (!S_ISDIR(info.st_mode)) {
        // A new link fails when the name is taken; the old one goes only after.
        if (link(from.constData(), to.constData()) != 0)
            return false;
        if (unlink(from.constData()) == 0)
            return true;
        const int error = errno;
        unlink(to.constData());
        errno = error;
        return false;
    }
    // A folder can replace only an empty folder, so claim the name with one of
    // our own first; a rename over anything else then cannot happen.
    if (mkdir(to.constData(), 0700) != 0)
        return false;
    if (rename(from.constData(), to.constData()) == 0)
        return true;
    const int error = errno;
    rmdir(to.constData());
    errno = error;
    return false;
}

bool RenameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (Rename(from, to))
        return true;
    if (errno == EEXIST && SameEntry(from, to))
        return RenameThroughTemporaryName(from, to);
    return false;
}
