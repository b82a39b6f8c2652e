#include "imaging/caseblindlookup.h"
#include "imaging/noclobberrename.h"
#include "imaging/windows1252case.h"

#include <QFile>

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace {

QByteArray EntryPath(const QString& folder, const QByteArray& name)
{
    return QFile::encodeName(folder) + '/' + name;
}

QByteArray UpperStoredName(const QByteArray& storedName)
{
    return QFile::encodeName(UpperWindows1252(QFile::decodeName(storedName)));
}

// Every stored name in the folder that matches, in no particular order.
QList<QByteArray> MatchingNames(const QString& folder, const QString& name)
{
    QList<QByteArray> matches;
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (dir == nullptr)
        return matches;
    const QString wanted = UpperWindows1252(name);
    while (const dirent* entry = readdir(dir)) {
        const QByteArray stored(entry->d_name);
        if (UpperWindows1252(QFile::decodeName(stored)) == wanted)
            matches.append(stored);
    }
    closedir(dir);
    return matches;
}

QByteArray PreferredName(const QList<QByteArray>& matches, const QString& name)
{
    const QByteArray upper = QFile::encodeName(UpperWindows1252(name));
    if (matches.contains(upper))
        return upper;
    return *std::min_element(matches.cbegin(), matches.cend());
}

} // namespace

std::optional<FoundEntry> FindEntryIgnoringCase(const QString& folder, const QString& name)
{
    const QList<QByteArray> matches = MatchingNames(folder, name);
    if (matches.isEmpty())
        return std::nullopt;
    FoundEntry found;
    found.storedName = PreferredName(matches, name);
    // A link to a folder counts as a folder, as a directory link does on Windows.
    struct stat info;
    found.isDirectory =
        stat(EntryPath(folder, found.storedName).constData(), &info) == 0 && S_ISDIR(info.st_mode);
    return found;
}

QByteArray UppercaseEntryName(const QString& folder, const FoundEntry& entry)
{
    const QByteArray upper = UpperStoredName(entry.storedName);
    if (upper == entry.storedName)
        return upper;
    if (RenameNoReplace(EntryPath(folder, entry.storedName), EntryPath(folder, upper)))
        return upper;
    return entry.storedName;
}
