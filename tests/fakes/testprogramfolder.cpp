#include "fakes/testprogramfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>

TestProgramFolder::TestProgramFolder(const QString& mkisofs)
{
    QFile::link(mkisofs, File(QStringLiteral("mkisofs")));
}

void TestProgramFolder::WriteSettings(int split, int burn, int erase, const QString& decrypterPath,
                                      const QString& drive, int checkDirSize) const
{
    QFile file(File(QStringLiteral("stencil.ini")));
    if (!file.open(QIODevice::WriteOnly))
        return;
    const QString text =
        QStringLiteral("SplitImageFile = %1\r\nBurnImageFile = %2\r\n"
                       "EraseMedia = %3\r\nDecrypterPath = %4\r\n"
                       "Driveletter = %5\r\nWriteSpeed = \r\nCheckDirSize = %6\r\n")
            .arg(split)
            .arg(burn)
            .arg(erase)
            .arg(decrypterPath, drive)
            .arg(checkDirSize);
    file.write(QFile::encodeName(text));
}

void TestProgramFolder::WriteScript(const QStringList& commands) const
{
    const QString path = File(QStringLiteral("script.txt"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QFile::encodeName(commands.join(QLatin1Char('\n')) + QLatin1Char('\n')));
    qputenv("ISOMINT_FAKE_MKISOFS_SCRIPT", QFile::encodeName(path));
}

bool TestProgramFolder::CopyTree(const QString& from, const QString& to)
{
    QDir target(to);
    if (!target.mkpath(QStringLiteral(".")))
        return false;
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString relative = QDir(from).relativeFilePath(it.filePath());
        const bool ok = it.fileInfo().isDir()
                            ? target.mkpath(relative)
                            : QFile::copy(it.filePath(), target.filePath(relative));
        if (!ok)
            return false;
    }
    return true;
}

bool TestProgramFolder::BuildRealImage(const QString& source, const QString& image)
{
    QProcess builder;
    builder.start(QStringLiteral("genisoimage"),
                  {QStringLiteral("-quiet"), QStringLiteral("-dvd-video"), QStringLiteral("-o"),
                   image, source});
    return builder.waitForFinished(60000) && builder.exitStatus() == QProcess::NormalExit &&
           builder.exitCode() == 0;
}
