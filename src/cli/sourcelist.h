#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The sources a batch reads from FILE, or from standard input for "-": one
// path a line (a CR before the line feed is dropped), or each ended by NUL
// with nulSeparated, for names that hold a line feed. Empty entries are
// skipped. None when the list cannot be read, with the reason in *problem.
[[nodiscard]] std::optional<QStringList> ReadSourceList(const QString& from, bool nulSeparated,
                                                        QString* problem);
