#include "cli/clicommands.h"
#include "cli/clioptions.h"
#include "cli/cliusage.h"
#include "cli/exitcodes.h"
#include "cli/stderrlines.h"
#include "platform/programfolder.h"
#include "platform/programtranslations.h"
#include "settings/programsettings.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

namespace {

int PrintText(const QString& text, std::FILE* stream, int status)
{
    std::fprintf(stream, "%s\n", text.toUtf8().constData());
    return status;
}

int UsageError(const QString& text)
{
    PrintError(QStringLiteral("isomint-cli: ") + text);
    PrintError(QCoreApplication::translate("CliUsage", "Try \"isomint-cli --help\"."));
    return ExitCode::Usage;
}

} // namespace

int main(int argc, char* argv[])
{
    // An ignored SIGCHLD, inherited from whoever started the program, would
    // make the kernel discard the image builder's exit status.
    std::signal(SIGCHLD, SIG_DFL);
    // A reader of the progress that goes away must not end the build half-way.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    const ProgramTranslations translations(ProgramFolder());
    const CliOptions options = ParseCliOptions(QCoreApplication::arguments().mid(1));
    if (!options.error.isEmpty())
        return UsageError(options.error);
    if (options.help)
        return PrintText(CliUsageText(), stdout, ExitCode::Success);
    if (options.version)
        return PrintText(CliVersionText(), stdout, ExitCode::Success);
    if (options.command.isEmpty())
        return UsageError(QCoreApplication::translate("CliUsage", "No command given."));
    const CliCommand command = FindCliCommand(options.command);
    if (command == nullptr)
        return UsageError(QCoreApplication::translate("CliUsage", "Unknown command \"%1\".")
                              .arg(options.command));
    ProgramSettings settings;
    settings.SetProgramFolder(ProgramFolder());
    settings.ReadSettings();
    PrintSettingsNotices(settings);
    CliContext context{options, settings, ProgramFolder()};
    const int status = command(context);
    PrintSettingsNotices(settings);
    return status;
}
