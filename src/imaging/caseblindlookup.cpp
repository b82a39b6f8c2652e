#include "imaging/caseblindlookup.h"
#include "imaging/noclobberrename.h"
#include "imaging/windows1252case.h"

#include <QFile>

namespace {

QByteArray EntryPath(const QString& folder, const QByteArray& name)
{
    return QFile::encodeName(folder) + '/' + name;
}

} // namespace

QByteArray UpperStoredName(const QByteArray& storedName)
{
    return QFile::encodeName(UpperWindows1252(QFile::decodeName(storedName)));
}

QByteArray UppercaseEntryName(const QString& folder, const FoundEntry& entry)
{
    QByteArray upper = UpperStoredName(entry.storedName);
    if (upper == entry.storedName)
        return upper;
    if (RenameNoReplace(EntryPath(folder, entry.storedName), EntryPath(folder, upper)))
        return upper;
    return entry.storedName;
}
