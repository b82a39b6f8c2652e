#pragma once

#include <QChar>
#include <QString>

// The path separator these helpers cut at; a backslash is an ordinary
// character of a name.
inline constexpr QChar NativeSeparator = QLatin1Char('/');

// Everything before the last separator; empty when there is none.
QString FolderOf(const QString& path, QChar separator = NativeSeparator);

// Trailing separators removed, then everything after the last separator;
// empty when no separator is left.
QString LastComponentOf(const QString& path, QChar separator = NativeSeparator);

// Everything before the last "."; the whole text when there is none. The search
// does not stop at a separator.
QString StripExtension(const QString& name);

// Joins a folder and a name with one separator, as "%s/%s" would.
QString JoinPath(const QString& folder, const QString& name, QChar separator = NativeSeparator);
