// libFuzzer entry: any bytes as a settings file. Whatever the reader takes from
// it must survive being written and read back unchanged.
#include "settings/settingsfile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    SettingsValues values;
    ReadSettingsText(bytes, values);

    const QByteArray written = FormatSettingsFile(values);
    if (written.count('\n') != 10)
        std::abort();
    SettingsValues reread;
    ReadSettingsText(written, reread);
    if (!(reread == values))
        std::abort();
    return 0;
}
