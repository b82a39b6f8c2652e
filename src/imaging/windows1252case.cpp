#include "imaging/windows1252case.h"

#include <QList>

char32_t UpperWindows1252(char32_t character)
{
    if (character >= U'a' && character <= U'z')
        return character - 0x20;
    // The Latin-1 small letters à to þ sit 0x20 above their capitals; the
    // division sign between them is no letter.
    if (character >= 0xE0 && character <= 0xFE && character != 0xF7)
        return character - 0x20;
    switch (character) {
    case 0x0161: // š
        return 0x0160;
    case 0x0153: // œ
        return 0x0152;
    case 0x017E: // ž
        return 0x017D;
    case 0x00FF: // ÿ
        return 0x0178;
    default:
        return character; // includes ß, which has no capital here
    }
}

QString UpperWindows1252(const QString& text)
{
    QList<uint> characters = text.toUcs4();
    for (uint& character : characters)
        character = UpperWindows1252(static_cast<char32_t>(character));
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                             characters.size());
}
