#include "app/progressview.h"

namespace {
constexpr char ProgramTitle[] = "Isomint Stencil";
constexpr char ProgramVersion[] = ISOMINT_VERSION_TEXT;
} // namespace

QString PercentLabelText(int percent)
{
    return QString::asprintf("%d %%", percent);
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
    view.SetPercentLabel(PercentLabelText(percent));
}
