#include "burn/decrypterburn.h"

#include "burn/imagelist.h"
#include "burn/recordingchoices.h"
#include "burn/windowsarguments.h"
#include "platform/detachedprocess.h"
#include "recorder/decrypterprogram.h"
#include "recorder/versioncompare.h"
#include "settings/programsettings.h"

#include <QStandardPaths>

namespace {

// Fills each "%s" of a format with the next text, in order, like sprintf.
QString FillTexts(const char* format, const QStringList& texts)
{
    const QString pattern = QLatin1String(format);
    QString result;
    qsizetype next = 0;
    for (const QString& text : texts) {
        const qsizetype at = pattern.indexOf(QLatin1String("%s"), next);
        result += pattern.mid(next, at - next) + text;
        next = at + 2;
    }
    return result + pattern.mid(next);
}

QString VerifySwitch(bool verify, bool valueSupported)
{
    if (verify)
        return QLatin1String(valueSupported ? Decrypter::VerifyYesSwitch : Decrypter::VerifySwitch);
    return valueSupported ? QLatin1String(Decrypter::VerifyNoSwitch) : QString();
}

} // namespace

QString FormDecrypterCommandLine(const DecrypterCall& call)
{
    const bool above = IsVersionAbove(call.version, Decrypter::VerifyValueSpeedThreshold);
    const QString erase = call.erase ? QLatin1String(Decrypter::EraseSwitch) : QString();
    const QString shutdown = call.shutdown ? QLatin1String(Decrypter::ShutdownSwitch) : QString();
    const QString speed = above && !call.speedText.isEmpty()
                              ? FillTexts(Decrypter::SpeedSwitchFormat, {call.speedText})
                              : QString();
    // The source sits between quotes: a quote or a trailing backslash in it
    // would otherwise end them early and take "/DEST" and the drive with it.
    return FillTexts(Decrypter::CommandLineFormat,
                     {call.decrypterPath, erase, VerifySwitch(call.verify, above), shutdown, speed,
                      EscapeInsideWindowsQuotes(call.source), call.drive});
}

DecrypterStart DecrypterStartFor(const DecrypterCall& call, const QString& winePath)
{
    // The path may hold blanks: it is taken whole, only the rest is split.
    const QString line = FormDecrypterCommandLine(call);
    const QStringList rest = SplitWindowsArguments(line.mid(call.decrypterPath.size()));
    if (!call.decrypterPath.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        return {call.decrypterPath, rest};
    // The recorder is a Windows program; wine is how it runs here.
    if (winePath.isEmpty())
        return {};
    return {winePath, QStringList(call.decrypterPath) + rest};
}

namespace {

bool RecorderOn(ProgramSettings& settings)
{
    return settings.GetBurnImageFile() && !settings.GetDecrypterPath().isEmpty();
}

void StartRecorder(ProgramSettings& settings, const RecordingChoices& choices,
                   const QString& source)
{
    DecrypterCall call;
    call.source = source;
    call.erase = settings.GetEraseMedia();
    call.shutdown = choices.shutdown;
    call.verify = choices.verify;
    call.version = settings.DecrypterVersion();
    if (IsVersionAbove(call.version, Decrypter::VerifyValueSpeedThreshold))
        call.speedText = choices.speedText;
    call.drive = settings.GetDriveletter();
    call.decrypterPath = settings.GetDecrypterPath();
    const DecrypterStart start =
        DecrypterStartFor(call, QStandardPaths::findExecutable(QStringLiteral("wine")));
    if (!start.program.isEmpty())
        StartDetached(start.program, start.arguments); // a failed start shows nothing
}

} // namespace

void DecrypterBurn(ProgramSettings& settings, const RecordingChoices& choices,
                   const QString& outputFile)
{
    if (RecorderOn(settings))
        StartRecorder(settings, choices,
                      settings.GetSplitImageFile() ? ImageListPath(outputFile) : outputFile);
}

void DecrypterBurnSource(ProgramSettings& settings, const RecordingChoices& choices,
                         const QString& source)
{
    if (RecorderOn(settings))
        StartRecorder(settings, choices, source);
}
