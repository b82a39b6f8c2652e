#pragma once

struct CliContext;

// isomint-cli build SOURCE OUTPUT, or build SOURCE... --output-dir DIR.
int RunBuildCommand(CliContext& context);
