#pragma once

#include <QString>

// How the paths of a build request are taken before anything uses them.

// Relative paths are made absolute against the working folder, so that a name
// such as "-version" can never reach the image builder as an option and the
// list file lands beside the image. Absolute paths stay as typed.
[[nodiscard]] QString AbsolutePath(const QString& path);

// The Source Directory as the folder check and the image builder both see it:
// absolute, and when it is itself a link, the folder the link leads to.
[[nodiscard]] QString ResolvedSourceDirectory(const QString& path);

// Where an image for the Output File really lands: its folder resolved, and
// with followLink the file itself followed when it is a link (even one that
// leads nowhere yet), so that two names for one file find one lock and one
// place. Chunks are named after the file, not written through it, so a split
// build resolves only the folder.
[[nodiscard]] QString ResolvedOutputFile(const QString& path, bool followLink = true);

// False when the text stands for bytes it cannot give back, such as a name that
// is not valid UTF-8 and shows replacement characters: using it would name
// another file.
[[nodiscard]] bool IsFaithfulPath(const QString& path);

// True when path is folder itself or lies anywhere below it, links resolved;
// path itself need not exist yet.
[[nodiscard]] bool IsInsideFolder(const QString& path, const QString& folder);
