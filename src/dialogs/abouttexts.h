#pragma once

#include <QString>

// "Isomint Stencil, Version <version>\r\n\r\nDate of Build: <date>", the date in
// the compiler's "Mmm dd yyyy" form with the day padded by a space.
QString AboutVersionText(const QString& version, const QString& buildDate);
// The same with this program's version and the date this file was compiled.
QString AboutVersionText();

// Two lines, CR LF between them: where this build's mkisofs comes from.
QString AboutCreditText();

// "Using following modules:\n\n" and mod.ver from the program's data folder
// (DataFolder) verbatim (CR LF read as LF), or "Can't get external module
// information." without the file.
QString ReadModuleText(const QString& programFolder);
