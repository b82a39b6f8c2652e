#include "imaging/outputlock.h"

#include "platform/exitguard.h"
#include "platform/pathhelper.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

OutputLock::OutputLock() = default;

OutputLock::~OutputLock()
{
    Release();
}

// The folder is resolved, so that a build reaching the same file through a
// linked folder finds the same lock.
QString OutputLock::LockFileName(const QString& outputFile)
{
    const QFileInfo output(outputFile);
    const QString folder = output.dir().canonicalPath();
    return JoinPath(folder.isEmpty() ? output.path() : folder,
                    output.fileName() + QStringLiteral(".lock"));
}

bool OutputLock::Take(const QString& outputFile)
{
    Release();
    auto lock = std::make_unique<QLockFile>(LockFileName(outputFile));
    // A build may run for an hour; only a dead owner makes a lock stale.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        m_exitCleanup = ExitGuard::AddCleanup([this] { m_lock.reset(); });
        return true;
    }
    return lock->error() != QLockFile::LockFailedError;
}

void OutputLock::Release()
{
    ExitGuard::ForgetCleanup(m_exitCleanup);
    m_exitCleanup = 0;
    m_lock.reset(); // unlocks and deletes the file
}
