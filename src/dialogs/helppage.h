#pragma once

#include "controls/linkopener.h"

#include <QString>

class MessageBoxPresenter;
class QObject;

// The help page's file name in the program folder.
inline constexpr char HelpPageName[] = "stencil_hlp.html";

// Hands the program folder's help page to the desktop, as a link is opened
// (no shell, so no quoting is needed for any path). A page that cannot be
// opened, no opener or browser for example, is explained as a failed link
// is, unless `context` is gone first.
void OpenHelpPage(const QString& programFolder, QObject* context, MessageBoxPresenter& presenter,
                  LinkOpener& opener = CurrentLinkOpener());
