#pragma once

#include <QProcessEnvironment>
#include <QString>

// Where the settings file is kept. An installed copy keeps it per user, in the
// user's configuration folder: $XDG_CONFIG_HOME/isomint/stencil.ini, or
// ~/.config/isomint/stencil.ini when XDG_CONFIG_HOME is unset or not absolute
// (the account's home when HOME is unset too; empty, no file, without one).
// Any other copy keeps it in the program folder when the file is already there
// or the folder takes new files (a portable copy, as always), else in the
// user's configuration folder as well. The file is the same either way.
[[nodiscard]] QString SettingsFileLocation(const QString& programFolder,
                                           const QProcessEnvironment& environment);
