#include "platform/stringtable.h"

namespace {

struct StringEntry
{
    int id;
    const char* text;
};

constexpr StringEntry kStrings[] = {
#include "stringtable.inc"
};

} // namespace

QString LoadStringResource(int id)
{
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id)
            return QString::fromUtf8(entry.text);
    }
    return {};
}
