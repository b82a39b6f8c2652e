#include "imaging/directorysize.h"

#include <QFile>

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsDotOrDotDot(const char* name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// Sums one open folder and everything below it; takes over the descriptor.
// Summed as an integer so that the total stays exact.
quint64 SumFolder(int folderFd)
{
    DIR* dir = fdopendir(folderFd);
    if (dir == nullptr) {
        close(folderFd);
        return 0;
    }
    quint64 sum = 0;
    while (const dirent* entry = readdir(dir)) {
        if (IsDotOrDotDot(entry->d_name))
            continue;
        struct stat info;
        if (fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(info.st_mode)) {
            const int child =
                openat(dirfd(dir), entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child >= 0)
                sum += SumFolder(child);
        } else if (S_ISREG(info.st_mode)) {
            sum += static_cast<quint64>(info.st_size);
        }
    }
    closedir(dir);
    return sum;
}

} // namespace

double MeasureDirectorySize(const QString& folder)
{
    if (folder.isEmpty())
        return 0;
    // The folder itself is what the user chose, so a link to it is followed;
    // trailing slashes need no removal for the system to open it.
    const int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    return static_cast<double>(SumFolder(fd));
}
