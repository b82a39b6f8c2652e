#include "cli/clicommands.h"

#include "cli/buildcommand.h"
#include "cli/checkcommand.h"
#include "cli/recordcommand.h"

#include <array>
#include <utility>

CliCommand FindCliCommand(const QString& name)
{
    const std::array<std::pair<const char*, CliCommand>, 3> commands = {{
        {"build", RunBuildCommand},
        {"check", RunCheckCommand},
        {"record", RunRecordCommand},
    }};
    for (const auto& [commandName, command] : commands) {
        if (name == QLatin1String(commandName))
            return command;
    }
    return nullptr;
}
