#pragma once

#include <QString>

// The side-by-side manifest's fixed file name, whatever the executable is called.
inline constexpr char ManifestName[] = "Isomint.exe.manifest";

// Writes the manifest into the program folder when no entry of that name exists
// there and the folder is no installed copy's. An existing one is never
// rewritten; a failure is silent and retried at the next start. Returns true
// when a file was written.
bool WriteManifest(const QString& programFolder);

// The manifest's text with CR LF line ends.
QByteArray ManifestText();
