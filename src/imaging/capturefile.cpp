#include "imaging/capturefile.h"

#include "imaging/pathhelper.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

CaptureFile::CaptureFile()
{
    Create();
}

CaptureFile::~CaptureFile()
{
    Remove();
}

QString CaptureFile::Folder()
{
    for (const char* name : {"TEMP", "TMPDIR"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value;
    }
    return QStringLiteral("/tmp");
}

int CaptureFile::Create()
{
    QByteArray path = QFile::encodeName(JoinPath(Folder(), QLatin1String(NameTemplate)));
    // mkostemp creates with O_EXCL and mode 0600.
    int fd = mkostemp(path.data(), O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return errno;
    if (fd <= STDERR_FILENO) {
        // Started with a standard stream closed: a descriptor in its place would
        // be replaced when the child's streams are set up.
        const int moved = fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
        const int error = errno;
        close(fd);
        if (moved < 0) {
            unlink(path.constData());
            return error;
        }
        fd = moved;
    }
    m_fd = fd;
    m_path = QFile::decodeName(path);
    return 0;
}

int CaptureFile::Empty()
{
    if (m_fd < 0)
        return Create();
    return ftruncate(m_fd, 0) == 0 ? 0 : errno;
}

void CaptureFile::Remove()
{
    if (m_fd < 0)
        return;
    close(m_fd);
    m_fd = -1;
    unlink(QFile::encodeName(m_path).constData());
}
