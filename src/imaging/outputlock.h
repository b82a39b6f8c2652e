#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Keeps two builds, in this process or another, from writing the same Output
// File: a lock file "<output>.lock" beside it, held from the request check to
// the end of the build. A lock whose owner died is taken over; one held when
// the program ends by exit() is removed by the exit guard.
class OutputLock
{
public:
    OutputLock();
    ~OutputLock();
    OutputLock(const OutputLock&) = delete;
    OutputLock& operator=(const OutputLock&) = delete;

    // False only when another build holds the lock. A lock file that cannot be
    // made (a folder that is missing or not writable) leaves the build
    // unlocked: the builder cannot write there either and says so itself.
    [[nodiscard]] bool Take(const QString& outputFile);

    // Gives the lock up and deletes its file; does nothing when none is held.
    void Release();

    static QString LockFileName(const QString& outputFile);

private:
    std::unique_ptr<QLockFile> m_lock;
    int m_exitCleanup = 0;
};
