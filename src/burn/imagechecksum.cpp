#include "burn/imagechecksum.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Large reads keep the system calls out of the hash's way; an image is
// gigabytes, read once.
constexpr qint64 kReadBlock = 2 * 1024 * 1024;

QString ReadProblem(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("ImageChecksum",
                                       "The image file \"%1\" could not be read: %2.")
        .arg(path, reason);
}

QString WriteProblem(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("ImageChecksum",
                                       "The checksum file \"%1\" could not be written: %2.")
        .arg(path, reason);
}

// Saved through a temporary file, so a crash never leaves half a list.
QString SaveList(const QString& checksumFile, const QByteArray& lines)
{
    QSaveFile list(checksumFile);
    if (list.open(QIODevice::WriteOnly) && list.write(lines) == lines.size() && list.commit())
        return {};
    return WriteProblem(checksumFile, list.errorString());
}

// Every file's line, the names relative to the folder; empty with *problem set
// when one cannot be read.
QByteArray ChecksumLines(const QStringList& files, const QDir& folder, QString* problem)
{
    QByteArray lines;
    for (const QString& file : files) {
        const QByteArray digest = FileSha256(file, problem);
        if (digest.isEmpty())
            return {};
        lines += ChecksumLine(digest, folder.relativeFilePath(QFileInfo(file).absoluteFilePath()));
    }
    return lines;
}

} // namespace

QByteArray ChecksumLine(const QByteArray& hexDigest, const QString& name)
{
    QByteArray encoded = QFile::encodeName(name);
    const bool escaped = encoded.contains('\\') || encoded.contains('\n') || encoded.contains('\r');
    if (escaped)
        encoded.replace("\\", "\\\\").replace("\n", "\\n").replace("\r", "\\r");
    return (escaped ? QByteArray("\\") : QByteArray()) + hexDigest + "  " + encoded + '\n';
}

QByteArray FileSha256(const QString& path, QString* problem)
{
    QFile file(path);
    // Unbuffered: each block goes from the kernel straight into the hash's buffer.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        *problem = ReadProblem(path, file.errorString());
        return {};
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QByteArray block(kReadBlock, Qt::Uninitialized);
    qint64 read = 0;
    while ((read = file.read(block.data(), kReadBlock)) > 0)
        hash.addData(QByteArrayView(block.constData(), read));
    if (read < 0) {
        *problem = ReadProblem(path, file.errorString());
        return {};
    }
    return hash.result().toHex();
}

QString WriteImageChecksums(const QStringList& files, const QString& checksumFile)
{
    QString problem;
    const QByteArray lines = ChecksumLines(files, QFileInfo(checksumFile).absoluteDir(), &problem);
    if (problem.isEmpty())
        problem = SaveList(checksumFile, lines);
    // An older list would name the digests of the files these replaced.
    if (!problem.isEmpty() && QFileInfo(checksumFile).isFile())
        QFile::remove(checksumFile);
    return problem;
}
