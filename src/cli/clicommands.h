#pragma once

#include "cli/clioptions.h"

class ProgramSettings;

// What every command is given: its options and the settings read from stencil.ini.
struct CliContext
{
    const CliOptions& options;
    ProgramSettings& settings;
    QString programFolder; // holds mkisofs
};

// Each command runs to its end and returns the exit status (see exitcodes.h).
using CliCommand = int (*)(CliContext& context);

// The command of that name, or null.
[[nodiscard]] CliCommand FindCliCommand(const QString& name);
