#pragma once

#include <QProcessEnvironment>
#include <QString>

// Where the settings file is kept. In the program folder when the file is
// already there or the folder takes new files (a portable copy, as always).
// Otherwise, as for a copy that root installed, in the user's configuration
// folder: $XDG_CONFIG_HOME/isomint/stencil.ini, or ~/.config/isomint/stencil.ini
// when XDG_CONFIG_HOME is unset or not absolute. The file is the same either way.
[[nodiscard]] QString SettingsFileLocation(const QString& programFolder,
                                           const QProcessEnvironment& environment);
