// libFuzzer entry: any bytes as a settings file. Whatever the reader takes from
// it must survive being written and read back unchanged, text bytes included.
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
    if (!(reread == values) || reread.fileBytes.decrypterPath != values.fileBytes.decrypterPath ||
        reread.fileBytes.writeSpeed != values.fileBytes.writeSpeed)
        std::abort();
    // A read followed by a write changes nothing more: the second write is the first.
    if (FormatSettingsFile(reread) != written)
        std::abort();
    return 0;
}
