#include "cli/clicommands.h"
#include "cli/clioptions.h"
#include "cli/cliusage.h"
#include "cli/exitcodes.h"
#include "cli/optionuse.h"
#include "cli/stderrlines.h"
#include "platform/programfolder.h"
#include "platform/programtranslations.h"
#include "settings/programsettings.h"
#include "settings/settingslocation.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>

namespace {

int PrintText(const QString& text, std::FILE* stream, int status)
{
    std::fprintf(stream, "%s\n", text.toUtf8().constData());
    return status;
}

// A full disk or a closed pipe behind standard output must not pass for
// success: what was asked for never arrived.
int CheckedOutput(int status)
{
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0)
        return status;
    const int error = errno;
    PrintError(QStringLiteral("isomint-cli: ") +
               QCoreApplication::translate("CliUsage", "Standard output cannot be written: %1.")
                   .arg(qt_error_string(error)));
    return status == ExitCode::Success ? ExitCode::OutputFailed : status;
}

// The settings the options name: a file of the script's, none at all, or
// stencil.ini where the program keeps it.
bool UseSettings(const CliOptions& options, ProgramSettings& settings)
{
    if (options.noSettings)
        return true;
    if (options.settingsFile.isEmpty())
        settings.SetProgramFolder(ProgramFolder());
    else if (!QFileInfo(options.settingsFile).isFile())
        return false;
    else
        settings.UseSettingsFile(options.settingsFile);
    settings.ReadSettings();
    PrintSettingsNotices(settings);
    return true;
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
        return CheckedOutput(
            PrintText(CliUsageText(SettingsFileLocation(ProgramFolder(),
                                                        QProcessEnvironment::systemEnvironment())),
                      stdout, ExitCode::Success));
    if (options.version)
        return CheckedOutput(PrintText(CliVersionText(), stdout, ExitCode::Success));
    if (options.command.isEmpty())
        return UsageError(QCoreApplication::translate("CliUsage", "No command given."));
    const CliCommand command = FindCliCommand(options.command);
    if (command == nullptr)
        return UsageError(QCoreApplication::translate("CliUsage", "Unknown command \"%1\".")
                              .arg(options.command));
    if (const QString unused = UnusedOption(options); !unused.isEmpty())
        return UsageError(unused);
    ProgramSettings settings;
    if (!UseSettings(options, settings))
        return UsageError(
            QCoreApplication::translate("CliUsage",
                                        "The settings file \"%1\" does not exist or is not a file.")
                .arg(options.settingsFile));
    CliContext context{options, settings, ProgramFolder()};
    const int status = command(context);
    PrintSettingsNotices(settings);
    return CheckedOutput(status);
}
