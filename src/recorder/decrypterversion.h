#pragma once

#include <QString>
#include <QStringList>

// What the minimum-version check found for one recorder executable.
struct DecrypterVersionCheck
{
    QString version;       // "%d.%d.%d.%d", or empty when unreadable
    bool accepted = false; // recent enough for recording
    // What the user must be told, in order: an unreadable version, then that
    // it is too old (an unreadable version counts as too old).
    QStringList warnings;
};

[[nodiscard]] DecrypterVersionCheck CheckDecrypterVersion(const QString& path);
