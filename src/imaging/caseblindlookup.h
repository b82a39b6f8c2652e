#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct FoundEntry
{
    QByteArray storedName; // as the file system holds it
    bool isDirectory = false;
};

// Looks for one name in a folder without regard to case (the Windows-1252
// mapping), as a case-blind file system would. When several entries match, the
// one already in the upper-case form wins, else the first in byte order. Reads
// the whole folder each time; a check of many names keeps a FolderListing.
[[nodiscard]] std::optional<FoundEntry> FindEntryIgnoringCase(const QString& folder,
                                                              const QString& name);

// Renames the entry to the upper-case form of its stored name unless that name
// is taken by another entry. Returns the name the entry has afterwards; a
// failed rename leaves the stored name.
QByteArray UppercaseEntryName(const QString& folder, const FoundEntry& entry);
