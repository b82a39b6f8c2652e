#pragma once

#include <QString>

// What "isomint-cli --help" prints; settingsFile is where the defaults come from.
[[nodiscard]] QString CliUsageText(const QString& settingsFile);

// "isomint-cli 0.91.5".
[[nodiscard]] QString CliVersionText();
