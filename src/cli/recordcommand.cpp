#include "cli/recordcommand.h"

#include "cli/clicommands.h"
#include "cli/exitcodes.h"
#include "cli/progressprinter.h"
#include "cli/recordrun.h"
#include "cli/resultobject.h"
#include "cli/stderrlines.h"
#include "imaging/imageverifier.h"
#include "imaging/requestpaths.h"
#include "recorder/decrypterprogram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>

#include <optional>

#include <unistd.h>

namespace {

// A list gives its chunks one a line after its header; a relative one is
// taken beside the list.
std::optional<QStringList> ListedChunks(const QString& listPath)
{
    QFile list(listPath);
    if (!list.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = list.readAll().split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != Decrypter::ImageListHeader)
        return std::nullopt;
    QStringList chunks;
    const QDir folder = QFileInfo(listPath).absoluteDir();
    for (qsizetype index = 1; index < lines.size(); ++index) {
        const QByteArray line = lines.at(index).trimmed();
        if (!line.isEmpty())
            chunks << QDir::cleanPath(folder.absoluteFilePath(QFile::decodeName(line)));
    }
    if (chunks.isEmpty())
        return std::nullopt;
    return chunks;
}

bool IsImageList(const QString& path)
{
    return path.endsWith(QLatin1String(".lst"), Qt::CaseInsensitive);
}

QString Misuse(const CliOptions& options)
{
    if (options.operands.size() != 1)
        return QCoreApplication::translate("CliUsage", "record needs one IMAGE or image list.");
    return RecordingMisuse(options);
}

// What a script reads of one image: the image as given, its files, the drive.
ResultObject ResultFor(const QString& given, const CliOptions& options)
{
    ResultObject outcome;
    outcome.Set(QStringLiteral("image"), given);
    outcome.Set(QStringLiteral("parts"), QJsonArray());
    outcome.Set(QStringLiteral("device"), options.device);
    return outcome;
}

int Record(CliContext& context, ProgressPrinter& printer, const QString& given,
           ResultObject& outcome)
{
    std::optional<QStringList> files = QStringList{given};
    if (IsImageList(given))
        files = ListedChunks(given);
    if (!files) {
        outcome.Say(QCoreApplication::translate("Cli", "\"%1\" is not an image list.").arg(given));
        return outcome.End(BuildOutcome::Refused);
    }
    outcome.Set(QStringLiteral("parts"), QJsonArray::fromStringList(*files));
    // Only an image that reads as a DVD-Video, whole, is worth a disc.
    const ImageVerification check = VerifyDvdImageAlone(*files);
    outcome.Say(check.report.join(QLatin1Char('\n')));
    if (!check.ok)
        return outcome.End(BuildOutcome::CheckFailed);
    return RecordImageFiles(context, printer, *files, outcome);
}

} // namespace

int RunRecordCommand(CliContext& context)
{
    if (const QString misuse = Misuse(context.options); !misuse.isEmpty()) {
        PrintError(QStringLiteral("isomint-cli: ") + misuse);
        return ExitCode::Usage;
    }
    ProgressPrinter printer(
        ChooseProgressStyle(context.options.progress, isatty(STDOUT_FILENO) != 0), stdout);
    const QString given = AbsolutePath(context.options.operands.first());
    ResultObject outcome = ResultFor(given, context.options);
    const int status = Record(context, printer, given, outcome);
    printer.PrintResult(outcome.Object());
    return status;
}
