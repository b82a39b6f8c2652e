#pragma once

#include <QString>

// Where a build shows its percentage: the progress bar (range 0 to 100), the
// percentage label and the main window's title.
class ProgressView
{
public:
    virtual ~ProgressView() = default;
    virtual void SetProgressPosition(int percent) = 0;
    virtual void SetPercentLabel(const QString& text) = 0;
    virtual void SetWindowTitle(const QString& title) = 0;
};

// "42 %".
QString PercentLabelText(int percent);

// "42 % Isomint Stencil 0.91.5", or without the percentage for 0.
QString BuildTitleText(int percent);

// Sets the window title for the percentage.
void SetBuildTitle(ProgressView& view, int percent);

// Shows the percentage everywhere: bar, title and label.
void ShowPercent(ProgressView& view, int percent);
