#pragma once

#include <QString>

// The per-user profile for what the program remembers between runs apart
// from its settings file: an INI file in the user's configuration folder.
QString ApplicationProfilePath();

// Points the profile elsewhere (tests use a temporary file); an empty path
// restores the user's own.
void SetApplicationProfilePath(const QString& path);
