#pragma once

#include "imaging/outcome.h"

#include <QString>

#include <optional>

// Makes sure the image builder lies in the program folder: the "Missing File"
// message for the first missing file, or none when all are there.
[[nodiscard]] std::optional<OutcomeText> CheckCompanionFiles(const QString& programFolder);

// The names checked, in order. Windows also needs cygwin1.dll beside mkisofs.exe.
QStringList CompanionFileNames();
