#include "cli/progressprinter.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

QString JsonText(const ProgressSample& sample, const QString& output)
{
    QJsonObject object;
    object.insert(QStringLiteral("event"), QStringLiteral("progress"));
    object.insert(QStringLiteral("percent"), sample.percent);
    object.insert(QStringLiteral("mbPerSecond"),
                  std::round(MegabytesPerSecond(sample) * 10) / 10); // one decimal
    const int left = SecondsLeft(sample);
    object.insert(QStringLiteral("secondsLeft"), left < 0 ? QJsonValue() : QJsonValue(left));
    object.insert(QStringLiteral("output"), output);
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

} // namespace

QString FormatProgress(ProgressStyle style, const ProgressSample& sample, const QString& output)
{
    if (style == ProgressStyle::Json)
        return JsonText(sample, output);
    if (style == ProgressStyle::None)
        return QString();
    // The numbers keep one form in every language, so that logs read alike.
    return QCoreApplication::translate("Cli", "%1 %  %2 MB/s  %3 left")
        .arg(sample.percent, 3)
        .arg(MegabytesPerSecond(sample), 0, 'f', 1)
        .arg(ClockText(SecondsLeft(sample)));
}

ProgressStyle ChooseProgressStyle(ProgressMode mode, bool terminal)
{
    switch (mode) {
    case ProgressMode::Json:
        return ProgressStyle::Json;
    case ProgressMode::Lines:
        return ProgressStyle::Lines;
    case ProgressMode::None:
        return ProgressStyle::None;
    case ProgressMode::Automatic:
        break;
    }
    return terminal ? ProgressStyle::InPlace : ProgressStyle::Lines;
}

void ProgressPrinter::Begin(const QString& output)
{
    m_output = output;
    m_lastPercent = -1;
}

void ProgressPrinter::Show(const ProgressSample& sample)
{
    // A terminal line is redrawn for the speed and time too; a log gets each percent once.
    if (m_style == ProgressStyle::None ||
        (m_style != ProgressStyle::InPlace && sample.percent == m_lastPercent))
        return;
    m_lastPercent = sample.percent;
    const QByteArray text = FormatProgress(m_style, sample, m_output).toUtf8();
    if (m_style == ProgressStyle::InPlace) {
        std::fprintf(m_stream, "\r%s\033[K", text.constData());
        m_lineOpen = true;
    } else {
        std::fprintf(m_stream, "%s\n", text.constData());
    }
    std::fflush(m_stream);
}

void ProgressPrinter::End()
{
    if (m_lineOpen)
        std::fputc('\n', m_stream);
    m_lineOpen = false;
    std::fflush(m_stream);
}

void ProgressPrinter::PrintResult(const QJsonObject& result)
{
    if (m_style != ProgressStyle::Json)
        return;
    std::fprintf(m_stream, "%s\n",
                 QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
    std::fflush(m_stream);
}
