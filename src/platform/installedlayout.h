#pragma once

#include <QString>

// A copy installed by `cmake --install` (or its package) keeps the executables
// in <prefix>/lib/isomint-stencil and the data they read (help pages, style
// sheet, translations, license.txt, mod.ver) in <prefix>/share/isomint-stencil.
// It is recognised by that layout; a build tree or a portable folder keeps
// everything beside the executable.

// Whether the program folder is that of an installed copy, which belongs to
// its installer and is never written to, whoever runs the program.
[[nodiscard]] bool IsInstalledCopy(const QString& programFolder);

// The folder that holds the program's data: the installed data folder for an
// installed copy, else the program folder itself.
[[nodiscard]] QString DataFolder(const QString& programFolder);
