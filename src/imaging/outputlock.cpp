#include "imaging/outputlock.h"

#include "platform/exitguard.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

LockRefusal Refusal(LockRefusal::Reason reason, const QString& lockFile)
{
    LockRefusal refusal;
    refusal.reason = reason;
    refusal.lockFile = lockFile;
    return refusal;
}

// QLockFile says only that it failed; the folder says why.
int FolderError(const QString& lockFile)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(lockFile).path());
    if (access(folder.constData(), W_OK | X_OK) != 0)
        return errno;
    return EIO;
}

} // namespace

OutputLock::OutputLock() = default;

OutputLock::~OutputLock()
{
    Release();
}

QString OutputLock::LockFileName(const QString& outputFile)
{
    return outputFile + QStringLiteral(".lock");
}

std::optional<LockRefusal> OutputLock::Take(const QString& outputFile)
{
    Release();
    const QString name = LockFileName(outputFile);
    // A link would be read through, or replaced as stale: it is not ours to judge.
    struct stat info;
    if (lstat(QFile::encodeName(name).constData(), &info) == 0 && S_ISLNK(info.st_mode))
        return Refusal(LockRefusal::Reason::Link, name);
    auto lock = std::make_unique<QLockFile>(name);
    // A build may run for an hour; only a dead owner makes a lock stale.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        m_exitCleanup = ExitGuard::AddCleanup([this] { m_lock.reset(); });
        return std::nullopt;
    }
    if (lock->error() != QLockFile::LockFailedError) {
        LockRefusal refusal = Refusal(LockRefusal::Reason::CannotCreate, name);
        refusal.error = FolderError(name);
        return refusal;
    }
    LockRefusal refusal = Refusal(LockRefusal::Reason::Unreadable, name);
    QString app;
    if (lock->getLockInfo(&refusal.pid, &refusal.host, &app))
        refusal.reason = refusal.host.isEmpty() || refusal.host == QSysInfo::machineHostName()
                             ? LockRefusal::Reason::HeldHere
                             : LockRefusal::Reason::HeldElsewhere;
    return refusal;
}

void OutputLock::Release()
{
    ExitGuard::ForgetCleanup(m_exitCleanup);
    m_exitCleanup = 0;
    m_lock.reset(); // unlocks and deletes the file
}
