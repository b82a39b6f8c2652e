#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

// The mkisofs call of one build.
struct MkisofsRequest
{
    QString programFolder;
    bool split = false;
    QString volumeId;
    QString outputFile;
    QString sourceDirectory;
};

// The command line as text: the program path and every path in double quotes,
// nothing escaped, two blanks before -V when not splitting.
QString FormMkisofsCommandLine(const MkisofsRequest& request);

// The program that line names: the program folder's mkisofs.
QString MkisofsProgramPath(const QString& programFolder);

// The arguments the line stands for, each whole, as typed: -gui, -dvd-video,
// -no-cache-inodes, -split-output when splitting, -V and the Volume ID, -o and the output file,
// then the source folder.
QStringList MkisofsArguments(const MkisofsRequest& request);

// The first character, from the start, outside "ABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789",
// as text (two code units for a character beyond the BMP); none when every
// character is allowed.
[[nodiscard]] std::optional<QString> FindUnsupportedVolumeIdChar(const QString& volumeId);
