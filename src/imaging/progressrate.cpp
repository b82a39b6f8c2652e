#include "imaging/progressrate.h"

#include <cmath>

namespace {
constexpr double kBytesPerMegabyte = 1048576.0;
constexpr double kNanosecondsPerSecond = 1e9;
constexpr int kFull = 100;
constexpr int kSecondsPerMinute = 60;
} // namespace

double MegabytesPerSecond(const ProgressSample& sample)
{
    if (sample.elapsedSeconds <= 0)
        return 0;
    return sample.totalBytes * sample.percent / kFull / kBytesPerMegabyte / sample.elapsedSeconds;
}

int SecondsLeft(const ProgressSample& sample)
{
    if (sample.percent <= 0)
        return -1;
    const double left = sample.elapsedSeconds * (kFull - sample.percent) / sample.percent;
    return static_cast<int>(std::lround(left));
}

QString ClockText(int seconds)
{
    if (seconds < 0)
        return QStringLiteral("-:--");
    return QString::asprintf("%d:%02d", seconds / kSecondsPerMinute, seconds % kSecondsPerMinute);
}

bool PaceKnown(const ProgressSample& sample)
{
    return sample.percent > 0 && sample.elapsedSeconds > 0 && sample.totalBytes > 0;
}

void ProgressRate::Begin(double totalBytes)
{
    m_totalBytes = totalBytes;
    m_elapsed.start();
}

ProgressSample ProgressRate::Sample(int percent) const
{
    // Nanoseconds, so that a run shorter than a millisecond still has a pace.
    const double elapsed =
        m_elapsed.isValid() ? static_cast<double>(m_elapsed.nsecsElapsed()) / kNanosecondsPerSecond
                            : 0;
    return ProgressSample{percent, elapsed, m_totalBytes};
}
