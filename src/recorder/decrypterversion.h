#pragma once

#include <QString>

class MessageBoxPresenter;

// What the minimum-version check found for one recorder executable.
struct DecrypterVersionCheck
{
    QString version;       // "%d.%d.%d.%d", or empty when unreadable
    bool accepted = false; // recent enough for recording
};

// Reads the recorder's product version and tells the user when it is too old
// for recording (an unreadable version counts as too old).
DecrypterVersionCheck CheckDecrypterVersion(const QString& path, MessageBoxPresenter& presenter);
