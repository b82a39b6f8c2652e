#include "settings/settingsfileio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SettingsFileBytes ReadSettingsFileBytes(const QString& path)
{
    // Non-blocking, so that opening a fifo returns at once instead of waiting
    // for a writer; the type is then checked on what was opened, not the name.
    if (path.isEmpty())
        return {};
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {};
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {SettingsFileState::NotRegular, {}};
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    if (info.st_size > MaxSettingsFileSize)
        return {SettingsFileState::TooLarge, {}};
    // One byte more than allowed tells a file that grew since fstat.
    QByteArray bytes = file.read(MaxSettingsFileSize + 1);
    if (bytes.size() > MaxSettingsFileSize)
        return {SettingsFileState::TooLarge, {}};
    return {SettingsFileState::Read, bytes};
}

QString WriteSettingsFileBytes(const QString& path, const QByteArray& bytes)
{
    const QFileInfo target(path);
    // Writing through a link to a device or into a fifo would never make a
    // settings file, and replacing one is not this program's business.
    if (target.exists() && !target.isFile())
        return QCoreApplication::translate("Settings", "not a regular file");
    if (!QDir().mkpath(target.absolutePath()))
        return QCoreApplication::translate("Settings", "cannot create the folder \"%1\"")
            .arg(target.absolutePath());
    QSaveFile file(path);
    // A temporary file renamed over the old one: a crash or a full disk never
    // leaves a half-written file, and a reader sees old or new. Where the folder
    // takes no new file, a writable file is still written, in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // A failed flush is not seen by commit(), so check it here; an uncommitted
    // file is discarded and the old one stays.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}
