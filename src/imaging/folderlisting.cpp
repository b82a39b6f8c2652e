#include "imaging/folderlisting.h"
#include "imaging/windows1252case.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The image builder asks access() for read permission and silently leaves out
// a file that fails; asking the same question finds exactly those files, at one
// system call each and without reading a byte.
int ReadError(int folder, const QByteArray& name)
{
    return faccessat(folder, name.constData(), R_OK, 0) == 0 ? 0 : errno;
}

} // namespace

FolderListing::FolderListing(const QString& folder) : m_folder(folder)
{
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (dir == nullptr)
        return;
    while (const dirent* entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        m_keys.insert(KeyOf(name), m_entries.size());
        m_entries.append({name, KindOf(dirfd(dir), entry->d_name, entry->d_type)});
    }
    closedir(dir);
}

QList<QByteArray> FolderListing::Matches(const QString& name) const
{
    QList<QByteArray> names;
    for (const qsizetype index : m_keys.values(UpperWindows1252(name)))
        names.append(m_entries.at(index).name);
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<FoundEntry> FolderListing::Find(const QString& name) const
{
    const QList<QByteArray> names = Matches(name);
    if (names.isEmpty())
        return std::nullopt;
    const QByteArray upper = QFile::encodeName(UpperWindows1252(name));
    const QByteArray chosen = names.contains(upper) ? upper : names.first();
    return FoundEntry{chosen, IsFolder(*Listed(chosen))};
}

QByteArray FolderListing::Uppercase(const FoundEntry& entry)
{
    QByteArray renamed = UppercaseEntryName(m_folder, entry);
    // The upper-case form is its own upper-case form, so the key stays.
    for (const qsizetype index : m_keys.values(KeyOf(entry.storedName))) {
        if (m_entries.at(index).name == entry.storedName)
            m_entries[index].name = renamed;
    }
    return renamed;
}

bool FolderListing::IsLink(const QByteArray& storedName) const
{
    const Entry* entry = Listed(storedName);
    return entry != nullptr && entry->kind == Kind::Link;
}

QList<QByteArray> FolderListing::Links() const
{
    return NamesOf(Kind::Link);
}

QList<QByteArray> FolderListing::Folders() const
{
    return NamesOf(Kind::Folder);
}

QList<QByteArray> FolderListing::Files() const
{
    return NamesOf(Kind::File);
}

QList<QByteArray> FolderListing::NamesOf(Kind kind) const
{
    QList<QByteArray> names;
    for (const Entry& entry : m_entries) {
        if (entry.kind == kind)
            names.append(entry.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<FolderListing::Unreadable> FolderListing::FirstUnreadableFile() const
{
    // Names are looked up relative to the folder: no path to walk for each file.
    const int folder =
        open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::optional<Unreadable> first;
    for (const Entry& entry : m_entries) {
        if (entry.kind != Kind::File || (first && first->storedName < entry.name))
            continue;
        if (const int error = ReadError(folder, entry.name))
            first = Unreadable{entry.name, error};
    }
    if (folder >= 0)
        close(folder);
    return first;
}

FolderListing::Kind FolderListing::KindOf(int folder, const char* name, unsigned char type)
{
    if (type == DT_UNKNOWN) {
        // Some file systems leave the type to a separate look-up.
        struct stat info;
        if (fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            return Kind::Other;
        type = IFTODT(info.st_mode);
    }
    switch (type) {
    case DT_REG:
        return Kind::File;
    case DT_DIR:
        return Kind::Folder;
    case DT_LNK:
        return Kind::Link;
    default:
        return Kind::Other;
    }
}

const FolderListing::Entry* FolderListing::Listed(const QByteArray& storedName) const
{
    for (const qsizetype index : m_keys.values(KeyOf(storedName))) {
        if (m_entries.at(index).name == storedName)
            return &m_entries.at(index);
    }
    return nullptr;
}

QString FolderListing::KeyOf(const QByteArray& storedName)
{
    // In place, one unit at a time: the rule maps only characters of the
    // basic plane and leaves surrogates alone. Listing a large folder is
    // mostly this.
    QString key = QFile::decodeName(storedName);
    for (QChar& unit : key)
        unit = QChar(static_cast<char16_t>(UpperWindows1252(char32_t(unit.unicode()))));
    return key;
}

QByteArray FolderListing::EntryPath(const QByteArray& storedName) const
{
    return QFile::encodeName(m_folder) + '/' + storedName;
}

bool FolderListing::IsFolder(const Entry& entry) const
{
    if (entry.kind != Kind::Link)
        return entry.kind == Kind::Folder;
    // A link to a folder counts as a folder, as a directory link does on Windows.
    struct stat info;
    return stat(EntryPath(entry.name).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}
