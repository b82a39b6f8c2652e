#pragma once

#include "controls/linkopener.h"

#include <QString>
#include <QtGlobal>

class MessageBoxPresenter;
class QObject;

// The help page's file name in the program folder. A catalogue names the page
// of its own language.
//: The file name of this language's help page, such as stencil_hlp_de.html
inline constexpr char HelpPageName[] = QT_TRANSLATE_NOOP("HelpPage", "stencil_hlp.html");

// The help page in the language the window speaks, when the program's data
// folder (DataFolder) holds it, else the English page.
QString HelpPagePath(const QString& programFolder);

// Hands the program folder's help page to the desktop, as a link is opened
// (no shell, so no quoting is needed for any path). A page that cannot be
// opened, no opener or browser for example, is explained as a failed link
// is, unless `context` is gone first.
void OpenHelpPage(const QString& programFolder, QObject* context, MessageBoxPresenter& presenter,
                  LinkOpener& opener = CurrentLinkOpener());
