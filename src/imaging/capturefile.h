#pragma once

#include <QString>

// The private file that receives everything mkisofs prints during a build. Its
// name is chosen once, unique, from the template "ZebXXXXXX" in $TEMP, else
// $TMPDIR, else /tmp; it is created exclusively with mode 0600 so that nobody
// can plant a link under that name. The file is deleted with this object.
class CaptureFile
{
public:
    static constexpr char NameTemplate[] = "ZebXXXXXX";

    CaptureFile();
    ~CaptureFile();
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    // The folder the name is formed in, from the environment.
    static QString Folder();

    // Full path; empty when the file could not be created.
    QString Path() const { return m_path; }

    // Empties the file for a new build, creating it first if that failed
    // before. Returns 0, or the errno of the failure.
    int Empty();

    // The descriptor the child writes through and the monitor reads from.
    // Opened for appending, so writes always land at the current end.
    int Descriptor() const { return m_fd; }

    // Deletes the file now, for a normal quit; later calls do nothing.
    void Remove();

private:
    int Create();

    QString m_path;
    int m_fd = -1;
};
