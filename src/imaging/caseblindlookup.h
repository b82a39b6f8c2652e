#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct FoundEntry
{
    QByteArray storedName; // as the file system holds it
    bool isDirectory = false;
};

// The upper-case form of a stored name (the Windows-1252 mapping).
[[nodiscard]] QByteArray UpperStoredName(const QByteArray& storedName);

// Renames the entry to the upper-case form of its stored name unless that name
// is taken by another entry. Returns the name the entry has afterwards; a
// failed rename leaves the stored name.
QByteArray UppercaseEntryName(const QString& folder, const FoundEntry& entry);
