#include "cli/clicommands.h"

#include <array>
#include <utility>

CliCommand FindCliCommand(const QString& name)
{
    const std::array<std::pair<const char*, CliCommand>, 0> commands = {};
    for (const auto& [commandName, command] : commands) {
        if (name == QLatin1String(commandName))
            return command;
    }
    return nullptr;
}
