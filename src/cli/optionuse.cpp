#include "cli/optionuse.h"

#include <QCoreApplication>

namespace {

struct GivenOption
{
    const char* name;
    bool given;
    bool usedByRecord; // build uses every one of these
};

} // namespace

QString UnusedOption(const CliOptions& options)
{
    if (options.command == QLatin1String("build"))
        return QString();
    const bool record = options.command == QLatin1String("record");
    const GivenOption given[] = {
        {"--volume-id", !options.volumeId.isEmpty(), false},
        {"--output-dir", !options.outputDir.isEmpty(), false},
        {options.split.value_or(true) ? "--split" : "--no-split", options.split.has_value(), false},
        {options.sizeCheck.value_or(true) ? "--size-check" : "--no-size-check",
         options.sizeCheck.has_value(), false},
        {"--sources-from", !options.sourcesFrom.isEmpty(), false},
        {"--dry-run", options.dryRun, false},
        {"--checksum", !options.checksum.isEmpty(), false},
        {"--record", options.record, false},
        {"--device", !options.device.isEmpty(), true},
        {"--speed", !options.speed.isEmpty(), true},
        {"--erase", options.erase, true},
        {"--verify", options.verify, true},
        {"--eject", options.eject, true},
    };
    for (const GivenOption& option : given) {
        if (option.given && !(record && option.usedByRecord))
            return QCoreApplication::translate("CliUsage", "%1 does not take %2.")
                .arg(options.command, QLatin1String(option.name));
    }
    return QString();
}
