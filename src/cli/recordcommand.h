#pragma once

struct CliContext;

// isomint-cli record IMAGE|LIST --device DEV: checks an existing image and records it.
int RunRecordCommand(CliContext& context);
