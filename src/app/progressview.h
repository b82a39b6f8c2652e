#pragma once

#include "imaging/progressrate.h"

#include <QString>

// Where a build or a recording shows its progress: the progress bar (range 0
// to 100), the percentage label and the main window's title; and the clock
// of the run it shows, for the label's pace and time left.
class ProgressView
{
public:
    virtual ~ProgressView() = default;
    virtual void SetProgressPosition(int percent) = 0;
    virtual void SetPercentLabel(const QString& text) = 0;
    virtual void SetWindowTitle(const QString& title) = 0;

    ProgressRate& Rate() { return m_rate; }

private:
    ProgressRate m_rate;
};

// "42 %".
QString PercentLabelText(int percent);

// "42 %  ·  10.2 MB/s  ·  0:40 left", in the user's language and number form.
// A time beyond what the label holds is shown as unknown.
QString ProgressLabelText(int percent, double megabytesPerSecond, int secondsLeft);

// The label for a sample: just the percentage until the pace is known.
QString ProgressLabelText(const ProgressSample& sample);

// "42 % Isomint Stencil 0.91.5", or without the percentage for 0.
QString BuildTitleText(int percent);

// Sets the window title for the percentage.
void SetBuildTitle(ProgressView& view, int percent);

// Shows the percentage everywhere: bar, title, and the label with the pace
// of the view's run.
void ShowPercent(ProgressView& view, int percent);
