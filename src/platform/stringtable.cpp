#include "platform/stringtable.h"

#include <QCoreApplication>

namespace {

struct StringEntry
{
    int id;
    const char* text;
};

constexpr StringEntry kStrings[] = {
#include "stringtable.inc"
};

constexpr int kManifestId = 115;

} // namespace

QString LoadStringResource(int id)
{
    for (const StringEntry& entry : kStrings) {
        if (entry.id != id)
            continue;
        // The manifest leaves the program and is never translated.
        if (id == kManifestId)
            return QString::fromUtf8(entry.text);
        return QCoreApplication::translate("StringTable", entry.text);
    }
    return {};
}
