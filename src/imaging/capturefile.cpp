#include "imaging/capturefile.h"

#include "platform/exitguard.h"
#include "platform/pathhelper.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

CaptureFile::CaptureFile()
{
    // A file that cannot be made now is tried again, and reported, by Empty()
    // as the build starts.
    static_cast<void>(Create());
}

CaptureFile::~CaptureFile()
{
    Remove();
}

QString CaptureFile::Folder()
{
    for (const char* name : {"TEMP", "TMPDIR"}) {
        QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value;
    }
    return QStringLiteral("/tmp");
}

int CaptureFile::Create()
{
    auto file = std::make_unique<QTemporaryFile>(JoinPath(Folder(), QLatin1String(NameTemplate)));
    errno = 0;
    if (!file->open())
        return errno != 0 ? errno : EIO;
    // A descriptor of its own: above the standard streams even when one was
    // closed at start, and appending, so nothing the child wrote is overwritten.
    const int fd = fcntl(file->handle(), F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    if (fd < 0 || fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_APPEND) != 0) {
        const int error = errno;
        if (fd >= 0)
            close(fd);
        return error;
    }
    m_file = std::move(file);
    m_fd = fd;
    m_path = m_file->fileName();
    ExitGuard::WatchFile(QFile::encodeName(m_path));
    return 0;
}

int CaptureFile::Empty()
{
    if (m_fd < 0)
        return Create();
    return ftruncate(m_fd, 0) == 0 ? 0 : errno;
}

void CaptureFile::AppendLines(const QStringList& lines)
{
    for (const QString& line : lines) {
        const QByteArray bytes = line.toUtf8() + '\n';
        if (m_fd < 0 || write(m_fd, bytes.constData(), static_cast<size_t>(bytes.size())) < 0)
            return;
    }
}

void CaptureFile::Remove()
{
    if (m_fd < 0)
        return;
    close(m_fd);
    m_fd = -1;
    m_file.reset(); // QTemporaryFile removes it
    ExitGuard::ForgetFile(QFile::encodeName(m_path));
}
