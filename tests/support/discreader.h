#pragma once

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QString>

// Renames every entry below a folder to lower case, deepest first, as a DVD
// copied from a case-folding medium often arrives.
inline void LowerCaseTree(const QString& root)
{
    QStringList paths;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.prepend(it.next());
    for (const QString& path : paths) {
        const QFileInfo info(path);
        QDir(info.path()).rename(info.fileName(), info.fileName().toLower());
    }
}

struct DiscInfo
{
    QString title;
    int titles = 0;
};

// Reads an image back with lsdvd, on Debian's libdvdread.
inline DiscInfo ReadWithLsdvd(const QString& image)
{
    QProcess lsdvd;
    lsdvd.start(QStringLiteral("lsdvd"), {image});
    lsdvd.waitForFinished(60000);
    const QString text = QString::fromLocal8Bit(lsdvd.readAllStandardOutput());
    DiscInfo info;
    const auto title =
        QRegularExpression("^Disc Title: (.*)$", QRegularExpression::MultilineOption).match(text);
    info.title = title.hasMatch() ? title.captured(1).trimmed() : QString();
    info.titles = static_cast<int>(
        text.count(QRegularExpression("^Title: \\d+,", QRegularExpression::MultilineOption)));
    return info;
}
