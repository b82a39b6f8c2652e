#pragma once

#include <QString>

// The help page's file name in the program folder.
inline constexpr char HelpPageName[] = "stencil_hlp.html";

// Hands the program folder's help page to the desktop's default opener,
// started directly (no shell, so no quoting is needed for any path). True
// when the opener started; callers show nothing either way.
bool OpenHelpPage(const QString& programFolder, const QString& opener = QStringLiteral("xdg-open"));
