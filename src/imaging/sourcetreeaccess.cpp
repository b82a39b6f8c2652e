#include "imaging/sourcetreeaccess.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FolderEntries
{
    QList<QByteArray> files;
    QList<QByteArray> folders;
};

unsigned char TypeOf(DIR* dir, const dirent& entry)
{
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type;
    // Some file systems leave the type to a separate look-up.
    struct stat info;
    if (fstatat(dirfd(dir), entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return DT_UNKNOWN;
    return IFTODT(info.st_mode);
}

void Collect(DIR* dir, FolderEntries* entries)
{
    while (const dirent* entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        const unsigned char type = TypeOf(dir, *entry);
        if (type == DT_REG)
            entries->files.append(name);
        else if (type == DT_DIR)
            entries->folders.append(name);
    }
    std::sort(entries->files.begin(), entries->files.end());
    // Last in byte order first: the walk takes folders from the end of its stack.
    std::sort(entries->folders.begin(), entries->folders.end(), std::greater<>());
}

// The builder asks access() for read permission, as FolderListing explains.
std::optional<UnreadableEntry> FirstUnreadableFile(DIR* dir, const QByteArray& folder,
                                                   const QList<QByteArray>& files)
{
    for (const QByteArray& name : files) {
        if (faccessat(dirfd(dir), name.constData(), R_OK, 0) != 0) {
            const int error = errno;
            return UnreadableEntry{QFile::decodeName(folder + '/' + name), error};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<UnreadableEntry> FirstUnreadableInTree(const QString& folder)
{
    // A stack of paths rather than recursion: a deep tree holds one folder
    // open at a time.
    QList<QByteArray> pending{QFile::encodeName(folder)};
    while (!pending.isEmpty()) {
        const QByteArray path = pending.takeLast();
        DIR* dir = opendir(path.constData());
        if (dir == nullptr) {
            const int error = errno;
            return UnreadableEntry{QFile::decodeName(path), error};
        }
        FolderEntries entries;
        Collect(dir, &entries);
        auto file = FirstUnreadableFile(dir, path, entries.files);
        closedir(dir);
        if (file)
            return file;
        for (const QByteArray& name : entries.folders)
            pending.append(path + '/' + name);
    }
    return std::nullopt;
}
