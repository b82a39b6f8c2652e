#pragma once

#include "imaging/caseblindlookup.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// One folder's entries, read once and looked up without regard to case (the
// Windows-1252 mapping). Renames made through it keep it current, so a folder
// of many thousand files is read once per check, not once per name.
class FolderListing
{
public:
    struct Unreadable
    {
        QByteArray storedName;
        int error = 0; // errno of the failed test
    };

    FolderListing() = default; // lists nothing
    // A folder that cannot be read lists nothing.
    explicit FolderListing(const QString& folder);

    const QString& Folder() const { return m_folder; }
    // The folder itself was renamed; its entries stay as they are.
    void FolderRenamed(const QString& folder) { m_folder = folder; }

    // Every stored name that matches, in byte order.
    QList<QByteArray> Matches(const QString& name) const;
    // The entry a name finds: the one already in upper case, else the first in
    // byte order. A link to a folder counts as a folder.
    std::optional<FoundEntry> Find(const QString& name) const;
    // Renames the entry as UppercaseEntryName does and notes the new name.
    QByteArray Uppercase(const FoundEntry& entry);

    bool IsLink(const QByteArray& storedName) const;
    // Symbolic links among the entries, in byte order.
    QList<QByteArray> Links() const;
    // Folders among the entries, links left out, in byte order.
    QList<QByteArray> Folders() const;
    // Regular files among the entries, in byte order.
    QList<QByteArray> Files() const;
    // The first regular file, in byte order, the image builder could not read.
    std::optional<Unreadable> FirstUnreadableFile() const;

private:
    enum class Kind
    {
        File,
        Folder,
        Link,
        Other,
    };
    struct Entry
    {
        QByteArray name;
        Kind kind = Kind::Other;
    };

    static Kind KindOf(int folder, const char* name, unsigned char type);
    static QString KeyOf(const QByteArray& storedName);
    QByteArray EntryPath(const QByteArray& storedName) const;
    bool IsFolder(const Entry& entry) const;

    const Entry* Listed(const QByteArray& storedName) const;
    QList<QByteArray> NamesOf(Kind kind) const;

    QString m_folder;
    QList<Entry> m_entries;                // in the order the folder gave them
    QMultiHash<QString, qsizetype> m_keys; // upper-case form of a name to its entry
};
