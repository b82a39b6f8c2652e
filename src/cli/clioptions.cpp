#include "cli/clioptions.h"

#include <QCoreApplication>

namespace {

// Options that take a value, given as "--name VALUE" or "--name=VALUE".
bool TakeValue(const QString& name, const QStringList& arguments, qsizetype& index, QString& value,
               CliOptions& options)
{
    const QString& argument = arguments.at(index);
    const QString prefix = name + QLatin1Char('=');
    if (argument.startsWith(prefix)) {
        value = argument.mid(prefix.size());
        return true;
    }
    if (argument != name)
        return false;
    if (index + 1 >= arguments.size()) {
        options.error = QCoreApplication::translate("CliUsage", "%1 needs a value.").arg(name);
        return true;
    }
    value = arguments.at(++index);
    return true;
}

bool SetProgress(const QString& value, CliOptions& options)
{
    if (value == QLatin1String("json"))
        options.progress = ProgressMode::Json;
    else if (value == QLatin1String("lines"))
        options.progress = ProgressMode::Lines;
    else if (value == QLatin1String("auto"))
        options.progress = ProgressMode::Automatic;
    else if (value == QLatin1String("none"))
        options.progress = ProgressMode::None;
    else
        return false;
    return true;
}

bool TakeRecordingFlag(const QString& argument, CliOptions& options)
{
    if (argument == QLatin1String("--record"))
        options.record = true;
    else if (argument == QLatin1String("--erase"))
        options.erase = true;
    else if (argument == QLatin1String("--verify"))
        options.verify = true;
    else if (argument == QLatin1String("--eject"))
        options.eject = true;
    else
        return false;
    return true;
}

// A switch and its "--no-" form; both on one command line contradict each other.
bool TakeSwitch(const QString& argument, const char* name, std::optional<bool>& value,
                CliOptions& options)
{
    const QString on = QLatin1String("--") + QLatin1String(name);
    const QString off = QLatin1String("--no-") + QLatin1String(name);
    if (argument != on && argument != off)
        return false;
    const bool given = argument == on;
    if (value && *value != given)
        options.error =
            QCoreApplication::translate("CliUsage", "%1 and %2 exclude each other.").arg(on, off);
    value = given;
    return true;
}

bool TakeBuildFlag(const QString& argument, CliOptions& options)
{
    if (TakeSwitch(argument, "split", options.split, options) ||
        TakeSwitch(argument, "size-check", options.sizeCheck, options))
        return true;
    if (argument == QLatin1String("--no-settings"))
        options.noSettings = true;
    else if (argument == QLatin1String("-0"))
        options.nulSeparated = true;
    else if (argument == QLatin1String("--dry-run"))
        options.dryRun = true;
    else if (argument == QLatin1String("-q") || argument == QLatin1String("--quiet"))
        options.progress = ProgressMode::None;
    else
        return false;
    return true;
}

bool TakeFlag(const QString& argument, CliOptions& options)
{
    if (TakeRecordingFlag(argument, options) || TakeBuildFlag(argument, options))
        return true;
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
        options.help = true;
    else if (argument == QLatin1String("--version"))
        options.version = true;
    else if (argument == QLatin1String("--yes") || argument == QLatin1String("--no")) {
        const AnswerMode answer =
            argument == QLatin1String("--yes") ? AnswerMode::Yes : AnswerMode::No;
        if (options.answer != AnswerMode::Ask && options.answer != answer)
            options.error =
                QCoreApplication::translate("CliUsage", "--yes and --no exclude each other.");
        options.answer = answer;
    } else
        return false;
    return true;
}

void TakeOption(const QStringList& arguments, qsizetype& index, CliOptions& options)
{
    const QString& argument = arguments.at(index);
    QString progress;
    if (TakeFlag(argument, options) ||
        TakeValue(QStringLiteral("--volume-id"), arguments, index, options.volumeId, options) ||
        TakeValue(QStringLiteral("--output-dir"), arguments, index, options.outputDir, options) ||
        TakeValue(QStringLiteral("--device"), arguments, index, options.device, options) ||
        TakeValue(QStringLiteral("--speed"), arguments, index, options.speed, options) ||
        TakeValue(QStringLiteral("--settings"), arguments, index, options.settingsFile, options) ||
        TakeValue(QStringLiteral("--sources-from"), arguments, index, options.sourcesFrom,
                  options) ||
        TakeValue(QStringLiteral("--checksum"), arguments, index, options.checksum, options))
        return;
    if (TakeValue(QStringLiteral("--progress"), arguments, index, progress, options)) {
        if (options.error.isEmpty() && !SetProgress(progress, options))
            options.error =
                QCoreApplication::translate(
                    "CliUsage", "Unknown progress mode \"%1\"; use auto, lines, json or none.")
                    .arg(progress);
        return;
    }
    options.error = QCoreApplication::translate("CliUsage", "Unknown option \"%1\".").arg(argument);
}

// Options that cannot go together, whatever the command.
QString Contradiction(const CliOptions& options)
{
    if (options.noSettings && !options.settingsFile.isEmpty())
        return QCoreApplication::translate("CliUsage",
                                           "--settings and --no-settings exclude each other.");
    if (!options.checksum.isEmpty() && options.checksum != QLatin1String("sha256"))
        return QCoreApplication::translate("CliUsage", "Unknown checksum \"%1\"; use sha256.")
            .arg(options.checksum);
    if (options.nulSeparated && options.sourcesFrom.isEmpty())
        return QCoreApplication::translate("CliUsage", "-0 needs --sources-from.");
    return QString();
}

} // namespace

CliOptions ParseCliOptions(const QStringList& arguments)
{
    CliOptions options;
    bool optionsEnded = false;
    for (qsizetype index = 0; index < arguments.size() && options.error.isEmpty(); ++index) {
        const QString& argument = arguments.at(index);
        if (!optionsEnded && argument == QLatin1String("--"))
            optionsEnded = true;
        else if (!optionsEnded && argument.startsWith(QLatin1Char('-')) && argument.size() > 1)
            TakeOption(arguments, index, options);
        else if (options.command.isEmpty())
            options.command = argument;
        else
            options.operands << argument;
    }
    if (options.error.isEmpty())
        options.error = Contradiction(options);
    return options;
}
