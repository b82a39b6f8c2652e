#pragma once

#include <QString>
#include <QStringList>

// Splits the arguments part of a Windows command line the way the Microsoft C
// runtime does: blanks and tabs separate outside double quotes; 2n backslashes
// before a quote give n backslashes and the quote opens or closes quoting;
// 2n+1 give n backslashes and a literal quote; other backslashes are literal;
// inside quotes a doubled quote is a literal quote.
QStringList SplitWindowsArguments(const QString& text);

// The text to put between a pair of double quotes so that the rules above give
// back exactly `argument`: each quote escaped by a backslash, and the
// backslashes before a quote or at the end doubled. Other backslashes, as in a
// plain Windows path, stay as they are.
[[nodiscard]] QString EscapeInsideWindowsQuotes(const QString& argument);
