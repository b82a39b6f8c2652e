#pragma once

#include <QString>

// The seven options kept in the settings file, named after their keys.
struct SettingsValues
{
    int splitImageFile = 0;
    int burnImageFile = 0;
    int eraseMedia = 0;
    QString decrypterPath;
    QString driveletter;
    QString writeSpeed;
    int checkDirSize = 0;

    friend bool operator==(const SettingsValues&, const SettingsValues&) = default;
};
