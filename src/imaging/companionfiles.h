#pragma once

#include "platform/messagebox.h"

#include <QString>

// Makes sure the image builder lies in the program folder. Shows the
// "Missing File" message for the first missing file and returns -1, else 0.
int CheckCompanionFiles(const QString& programFolder, MessageBoxPresenter& presenter);

// The names checked, in order. Windows also needs cygwin1.dll beside mkisofs.exe.
QStringList CompanionFileNames();
