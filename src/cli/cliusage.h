#pragma once

#include <QString>

// What "isomint-cli --help" prints.
[[nodiscard]] QString CliUsageText();

// "isomint-cli 0.91.5".
[[nodiscard]] QString CliVersionText();
