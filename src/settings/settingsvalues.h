#pragma once

#include <QByteArray>
#include <QString>

// The bytes each text value was read from. A file shared with the Windows
// program holds texts in its 8-bit code page; they are written back exactly as
// read while the text still says the same, so nothing is lost to a conversion.
struct SettingsTextBytes
{
    QByteArray decrypterPath;
    QByteArray driveletter;
    QByteArray writeSpeed;
};

// The seven options kept in the settings file, named after their keys. The
// file holds the switches as 1 and 0.
struct SettingsValues
{
    bool splitImageFile = false;
    bool burnImageFile = false;
    bool eraseMedia = false;
    QString decrypterPath;
    QString driveletter;
    QString writeSpeed;
    bool checkDirSize = false;
    SettingsTextBytes fileBytes = {};

    // Equal when the seven options are: the bytes are how the texts are stored.
    friend bool operator==(const SettingsValues& a, const SettingsValues& b)
    {
        return a.splitImageFile == b.splitImageFile && a.burnImageFile == b.burnImageFile &&
               a.eraseMedia == b.eraseMedia && a.decrypterPath == b.decrypterPath &&
               a.driveletter == b.driveletter && a.writeSpeed == b.writeSpeed &&
               a.checkDirSize == b.checkDirSize;
    }
};
