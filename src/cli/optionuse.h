#pragma once

#include "cli/clioptions.h"

#include <QString>

// The first option given that the command does not use, as a usage message
// ("check does not take --split."); empty when every option given is used.
// An option that does nothing must not look as if it had been obeyed.
[[nodiscard]] QString UnusedOption(const CliOptions& options);
