#pragma once

#include <QByteArray>
#include <QString>

// The settings file is ten short lines; anything much larger is not one.
inline constexpr qint64 MaxSettingsFileSize = 64 * 1024;

enum class SettingsFileState
{
    Read,
    Missing,    // absent or unreadable: no settings yet
    NotRegular, // a fifo, a device or a folder: reading could block or never end
    TooLarge,   // more than MaxSettingsFileSize bytes
};

struct SettingsFileBytes
{
    SettingsFileState state = SettingsFileState::Missing;
    QByteArray bytes; // only when Read
};

// Reads the whole file when it is a regular file of at most MaxSettingsFileSize
// bytes. Never waits for a writer and never reads more than that bound.
[[nodiscard]] SettingsFileBytes ReadSettingsFileBytes(const QString& path);

// Replaces the file with `bytes`: atomically through a temporary file beside
// it, or, when its folder takes no new file but the file itself is writable,
// in place. Creates the file's folder when it is missing. Returns the reason
// for a failure, empty on success. A failed replacement leaves the old file as
// it was; only a write in place that fails part-way can leave it cut short.
[[nodiscard]] QString WriteSettingsFileBytes(const QString& path, const QByteArray& bytes);
