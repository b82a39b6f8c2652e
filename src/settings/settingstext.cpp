#include "settings/settingstext.h"

#include <QStringDecoder>

namespace {

// Windows-1252 at 0x80 to 0x9F; its five unassigned bytes keep their Latin-1
// control characters, so every byte has a character.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString FromWindows1252(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text += QChar(b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : char16_t{b});
    }
    return text;
}

} // namespace

QString DecodeSettingsText(QByteArrayView bytes)
{
    // A byte order mark is part of the value, not something to drop.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? FromWindows1252(bytes) : text;
}

QByteArray EncodeSettingsText(const QString& text, const QByteArray& readBytes)
{
    if (DecodeSettingsText(readBytes) == text)
        return readBytes;
    return text.toUtf8();
}
