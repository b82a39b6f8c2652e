#pragma once

#include <QFont>
#include <QString>

// The font that shows text in equal-width columns: the first, in order of
// preference, in which every character of the text advances by the same
// width. Fontconfig's spacing flag is no guide: a monospaced family with a few
// double-width glyphs is not flagged as such, yet shows plain text in columns.
[[nodiscard]] QFont ColumnFont(const QString& text);
