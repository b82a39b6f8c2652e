#include "cli/recordcommand.h"

#include "cli/clicommands.h"
#include "cli/exitcodes.h"
#include "cli/progressprinter.h"
#include "cli/recordrun.h"
#include "cli/stderrlines.h"
#include "imaging/imageverifier.h"
#include "imaging/requestpaths.h"
#include "recorder/decrypterprogram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

} // namespace

int RunRecordCommand(CliContext& context)
{
    if (const QString misuse = Misuse(context.options); !misuse.isEmpty()) {
        PrintError(QStringLiteral("isomint-cli: ") + misuse);
        return ExitCode::Usage;
    }
    const QString given = AbsolutePath(context.options.operands.first());
    std::optional<QStringList> files = QStringList{given};
    if (IsImageList(given))
        files = ListedChunks(given);
    if (!files) {
        PrintError(QCoreApplication::translate("Cli", "\"%1\" is not an image list.").arg(given));
        return ExitCode::Refused;
    }
    // Only an image that reads as a DVD-Video, whole, is worth a disc.
    const ImageVerification check = VerifyDvdImageAlone(*files);
    PrintError(check.report.join(QLatin1Char('\n')));
    if (!check.ok)
        return ExitCode::CheckFailed;
    ProgressPrinter printer(
        ChooseProgressStyle(context.options.progress, isatty(STDOUT_FILENO) != 0), stdout);
    return RecordImageFiles(context, printer, *files);
}
