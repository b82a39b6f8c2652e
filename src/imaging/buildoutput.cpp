#include "imaging/buildoutput.h"

#include "imaging/mkisofsprogram.h"
#include "imaging/outputlock.h"
#include "platform/pathhelper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char FolderSuffix[] = ".isomint-";

QString FolderPrefix(const QString& outputFile)
{
    return QLatin1Char('.') + QFileInfo(outputFile).fileName() + QLatin1String(FolderSuffix);
}

// The private folder's path as mkdtemp takes it: the last six letters random.
QString FolderTemplate(const QString& outputFile)
{
    return JoinPath(QFileInfo(outputFile).path(), FolderPrefix(outputFile)) +
           QStringLiteral("XXXXXX");
}

// Empties a private folder through a descriptor that was opened without
// following links, then removes it. Entries are unlinked, never followed, and
// a folder that is not plainly ours is left alone.
bool RemovePrivateFolder(const QByteArray& path, QStringList* removed)
{
    const int fd = open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat info;
    if (fd < 0)
        return false;
    if (fstat(fd, &info) != 0 || info.st_uid != geteuid() || (info.st_mode & 077) != 0) {
        close(fd);
        return false;
    }
    DIR* folder = fdopendir(fd);
    if (folder == nullptr) {
        close(fd);
        return false;
    }
    QList<QByteArray> names;
    while (const dirent* entry = readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    for (const QByteArray& name : names) {
        if (unlinkat(dirfd(folder), name.constData(), 0) == 0 && removed != nullptr)
            removed->append(QFile::decodeName(path + '/' + name));
    }
    closedir(folder);
    return rmdir(path.constData()) == 0;
}

} // namespace

BuildOutput::~BuildOutput()
{
    RemoveWritten();
}

QString BuildOutput::ChunkName(const QString& file, int number)
{
    return QString::asprintf(Mkisofs::ChunkNameFormat, QFile::encodeName(file).constData(), number);
}

int BuildOutput::Begin(const QString& outputFile, bool split)
{
    RemoveWritten();
    m_outputFile = outputFile;
    m_split = split;
    QByteArray pattern = QFile::encodeName(FolderTemplate(outputFile));
    if (mkdtemp(pattern.data()) == nullptr)
        return errno;
    m_folder = QFile::decodeName(pattern);
    return 0;
}

QString BuildOutput::StagedFilePattern(const QString& outputFile)
{
    return JoinPath(FolderTemplate(outputFile), QFileInfo(outputFile).fileName());
}

QString BuildOutput::StagedFile() const
{
    return JoinPath(m_folder, QFileInfo(m_outputFile).fileName());
}

bool BuildOutput::HasEarlierImage() const
{
    return QFileInfo(m_split ? ChunkName(m_outputFile, 0) : m_outputFile).isFile();
}

QStringList BuildOutput::Written() const
{
    if (m_folder.isEmpty())
        return {};
    const QString staged = StagedFile();
    if (!m_split)
        return QFileInfo(staged).isFile() ? QStringList{staged} : QStringList();
    QStringList chunks;
    for (int number = 0; number < Mkisofs::ChunkLimit; ++number) {
        const QString chunk = ChunkName(staged, number);
        if (!QFileInfo(chunk).isFile())
            break;
        chunks << chunk;
    }
    return chunks;
}

QStringList BuildOutput::FinalNames(qsizetype count) const
{
    if (!m_split)
        return {m_outputFile};
    QStringList names;
    for (int number = 0; number < count; ++number)
        names << ChunkName(m_outputFile, number);
    return names;
}

QStringList BuildOutput::Place(QString* problem)
{
    const QStringList staged = Written();
    QStringList finals = FinalNames(staged.size());
    for (qsizetype n = 0; n < staged.size(); ++n) {
        // The folder is the Output File's own, so this is one atomic rename.
        if (std::rename(QFile::encodeName(staged.at(n)).constData(),
                        QFile::encodeName(finals.at(n)).constData()) != 0) {
            *problem = QStringLiteral("\"%1\": %2").arg(finals.at(n), qt_error_string(errno));
            return {};
        }
    }
    RemoveWritten();
    return finals;
}

QStringList BuildOutput::RemoveWritten()
{
    QStringList removed;
    if (!m_folder.isEmpty())
        RemovePrivateFolder(QFile::encodeName(m_folder), &removed);
    m_folder.clear();
    return removed;
}

QString BuildOutput::FirstNonRegularTarget(const QString& outputFile, bool split)
{
    // The lock file too: reading a FIFO there would wait for ever.
    QStringList names{outputFile, OutputLock::LockFileName(outputFile)};
    for (int number = 0; split && number < Mkisofs::ChunkLimit; ++number)
        names << ChunkName(outputFile, number);
    for (const QString& name : names) {
        struct stat info;
        if (stat(QFile::encodeName(name).constData(), &info) == 0 && !S_ISREG(info.st_mode))
            return name;
    }
    return {};
}

QStringList BuildOutput::RemoveAbandoned(const QString& outputFile)
{
    const QFileInfo output(outputFile);
    // mkdtemp fills in exactly six letters or digits.
    const QRegularExpression ours(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(FolderPrefix(outputFile)) + QStringLiteral("[A-Za-z0-9]{6}")));
    QStringList removed;
    const QDir folder = output.dir();
    const auto filter = QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks;
    for (const QString& name : folder.entryList(filter)) {
        if (!ours.match(name).hasMatch())
            continue;
        const QString path = folder.filePath(name);
        if (RemovePrivateFolder(QFile::encodeName(path), nullptr))
            removed << path;
    }
    return removed;
}
