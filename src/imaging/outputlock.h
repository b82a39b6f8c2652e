#pragma once

#include <QString>

#include <memory>
#include <optional>

class QLockFile;

// Why a lock could not be taken, with what the lock file says of its owner.
struct LockRefusal
{
    enum class Reason
    {
        HeldHere,      // a live build on this computer
        HeldElsewhere, // a build on another computer, which cannot be asked
        Unreadable,    // a lock file whose owner cannot be read
        Link,          // a symbolic link under the lock's name
        CannotCreate,  // the folder takes no lock file
    };
    Reason reason = Reason::HeldHere;
    QString lockFile;
    qint64 pid = 0;
    QString host;
    int error = 0; // errno, for CannotCreate
};

// Keeps two builds, in this process or another, from writing the same Output
// File: a lock file "<output>.lock" beside the file the output resolves to,
// held from the request check to the end of the build. A lock whose owner died
// is taken over; one held when the program ends by exit() is removed by the
// exit guard.
class OutputLock
{
public:
    OutputLock();
    ~OutputLock();
    OutputLock(const OutputLock&) = delete;
    OutputLock& operator=(const OutputLock&) = delete;

    // Takes the lock for outputFile (already resolved); the refusal says why not.
    [[nodiscard]] std::optional<LockRefusal> Take(const QString& outputFile);

    // Gives the lock up and deletes its file; does nothing when none is held.
    void Release();

    static QString LockFileName(const QString& outputFile);

private:
    std::unique_ptr<QLockFile> m_lock;
    int m_exitCleanup = 0;
};
