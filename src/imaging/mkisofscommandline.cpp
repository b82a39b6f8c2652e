#include "imaging/mkisofscommandline.h"

#include "imaging/mkisofsprogram.h"
#include "platform/pathhelper.h"

namespace {
constexpr char AllowedVolumeIdChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789";

QString Quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}
} // namespace

QString MkisofsProgramPath(const QString& programFolder)
{
    return JoinPath(programFolder, QLatin1String(Mkisofs::ProgramName));
}

QString FormMkisofsCommandLine(const MkisofsRequest& request)
{
    const QLatin1Char blank(' ');
    return Quoted(MkisofsProgramPath(request.programFolder)) + blank +
           QLatin1String(Mkisofs::GuiSwitch) + blank + QLatin1String(Mkisofs::DvdVideoSwitch) +
           blank + QLatin1String(Mkisofs::NoCacheInodesSwitch) + blank +
           (request.split ? QLatin1String(Mkisofs::SplitSwitch) : QLatin1String()) + blank +
           QLatin1String(Mkisofs::VolumeIdSwitch) + blank + Quoted(request.volumeId) + blank +
           QLatin1String(Mkisofs::OutputSwitch) + blank + Quoted(request.outputFile) + blank +
           Quoted(request.sourceDirectory);
}

QStringList MkisofsArguments(const MkisofsRequest& request)
{
    QStringList arguments{QLatin1String(Mkisofs::GuiSwitch), QLatin1String(Mkisofs::DvdVideoSwitch),
                          QLatin1String(Mkisofs::NoCacheInodesSwitch)};
    if (request.split)
        arguments << QLatin1String(Mkisofs::SplitSwitch);
    arguments << QLatin1String(Mkisofs::VolumeIdSwitch) << request.volumeId
              << QLatin1String(Mkisofs::OutputSwitch) << request.outputFile
              << request.sourceDirectory;
    return arguments;
}

std::optional<QString> FindUnsupportedVolumeIdChar(const QString& volumeId)
{
    const QLatin1String allowed(AllowedVolumeIdChars);
    for (qsizetype i = 0; i < volumeId.size(); ++i) {
        const QChar c = volumeId.at(i);
        if (allowed.contains(c))
            continue;
        // Half a surrogate pair would show as a replacement sign, not the character.
        const bool pair =
            c.isHighSurrogate() && i + 1 < volumeId.size() && volumeId.at(i + 1).isLowSurrogate();
        return volumeId.mid(i, pair ? 2 : 1);
    }
    return std::nullopt;
}
