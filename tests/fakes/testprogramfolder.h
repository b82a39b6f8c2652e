#pragma once

#include <QString>
#include <QTemporaryDir>

// A throw-away program folder for build tests: mkisofs (a link to the given
// program), the settings file, and room for sources, images and recorders.
class TestProgramFolder
{
public:
    explicit TestProgramFolder(const QString& mkisofs);

    QString Path() const { return m_dir.path(); }
    QString File(const QString& name) const { return m_dir.filePath(name); }

    // Writes stencil.ini with these values.
    void WriteSettings(int split, int burn, int erase, const QString& decrypterPath,
                       const QString& drive, int checkDirSize) const;

    // Writes the fake mkisofs script, one command a line, and points the fake at it.
    void WriteScript(const QStringList& commands) const;

    // Copies a folder tree.
    static bool CopyTree(const QString& from, const QString& to);

    // Builds a real DVD-Video image of source with genisoimage, for the fake
    // to hand out as its own.
    static bool BuildRealImage(const QString& source, const QString& image);

private:
    QTemporaryDir m_dir;
};
