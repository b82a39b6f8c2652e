#pragma once

#include <QString>

// Upper-casing as the Windows-1252 code page does it, applied to Unicode
// characters: names and labels behave as they do on the systems the program
// was made for. Characters outside that code page are returned unchanged.
char32_t UpperWindows1252(char32_t character);
QString UpperWindows1252(const QString& text);
