#pragma once

struct CliContext;

// isomint-cli check SOURCE: what the folder check would change, and what
// would stop a build, without changing anything.
int RunCheckCommand(CliContext& context);
