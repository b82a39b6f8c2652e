#pragma once

#include <QString>

// A path taken from a file may be as long as the file, and a message box lays
// out all of it. Keeps the first and the last `keep` characters with "…"
// between them; shorter texts are returned unchanged.
[[nodiscard]] QString ElideMiddle(const QString& text, qsizetype keep = 60);
