#include "app/progressview.h"

#include <QCoreApplication>
#include <QLocale>

namespace {
constexpr char ProgramTitle[] = "Isomint Stencil";
constexpr char ProgramVersion[] = ISOMINT_VERSION_TEXT;
// 999:59, the longest time the label has room for; beyond it no estimate is worth a promise.
constexpr int kLongestSecondsLeft = 999 * 60 + 59;
} // namespace

QString PercentLabelText(int percent)
{
    return QString::asprintf("%d %%", percent);
}

QString ProgressLabelText(int percent, double megabytesPerSecond, int secondsLeft)
{
    QLocale locale;
    // "1234.5", not "1,234.5": the rate is read at a glance.
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return QCoreApplication::translate("MainDialog", "%1 %  ·  %2 MB/s  ·  %3 left")
        .arg(QString::number(percent), locale.toString(megabytesPerSecond, 'f', 1),
             ClockText(secondsLeft > kLongestSecondsLeft ? -1 : secondsLeft));
}

QString ProgressLabelText(const ProgressSample& sample)
{
    if (!PaceKnown(sample))
        return PercentLabelText(sample.percent);
    return ProgressLabelText(sample.percent, MegabytesPerSecond(sample), SecondsLeft(sample));
}

QString BuildTitleText(int percent)
{
    if (percent != 0)
        return QString::asprintf("%d %% %s %s", percent, ProgramTitle, ProgramVersion);
    return QString::asprintf("%s %s", ProgramTitle, ProgramVersion);
}

void SetBuildTitle(ProgressView& view, int percent)
{
    view.SetWindowTitle(BuildTitleText(percent));
}

void ShowPercent(ProgressView& view, int percent)
{
    view.SetProgressPosition(percent);
    SetBuildTitle(view, percent);
    view.SetPercentLabel(ProgressLabelText(view.Rate().Sample(percent)));
}
