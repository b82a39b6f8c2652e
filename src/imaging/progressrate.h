#pragma once

#include <QElapsedTimer>
#include <QString>

// One look at a running build or recording.
struct ProgressSample
{
    int percent = 0;
    double elapsedSeconds = 0;
    double totalBytes = 0; // what the run moves in all, as far as it is known
};

// The pace so far, in binary megabytes a second as the sizes are counted; 0
// before any time has passed.
[[nodiscard]] double MegabytesPerSecond(const ProgressSample& sample);

// The seconds left at the pace so far; negative (unknown) until the first percent.
[[nodiscard]] int SecondsLeft(const ProgressSample& sample);

// "0:40", "12:05" (minutes and seconds); "-:--" for an unknown time.
[[nodiscard]] QString ClockText(int seconds);

// Whether a sample says anything about the pace: some share done, some time
// passed, and a size to measure it by.
[[nodiscard]] bool PaceKnown(const ProgressSample& sample);

// The clock of one run: its percentages as samples against the time since Begin.
class ProgressRate
{
public:
    // A new run that moves about totalBytes, starting now.
    void Begin(double totalBytes);
    [[nodiscard]] ProgressSample Sample(int percent) const;

private:
    QElapsedTimer m_elapsed;
    double m_totalBytes = 0;
};
