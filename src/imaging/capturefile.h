#pragma once

#include <QString>
#include <QTemporaryFile>

#include <memory>

// The private file that receives everything mkisofs prints during a build. Its
// name is chosen once, unique, from the template "ZebXXXXXX" in $TEMP, else
// $TMPDIR, else /tmp; QTemporaryFile creates it exclusively with mode 0600, so
// nobody can plant a link under that name. The file is deleted with this
// object, and by the exit guard when the program ends by exit().
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
    [[nodiscard]] int Empty();

    // A descriptor for appending and reading, above the standard streams.
    int Descriptor() const { return m_fd; }

    // Adds lines of the program's own after what the child printed, for the log.
    void AppendLines(const QStringList& lines);

    // Deletes the file now, for a normal quit; later calls do nothing.
    void Remove();

private:
    [[nodiscard]] int Create();

    std::unique_ptr<QTemporaryFile> m_file;
    QString m_path;
    int m_fd = -1;
};
