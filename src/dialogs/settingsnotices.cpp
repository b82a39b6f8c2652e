#include "dialogs/settingsnotices.h"

#include "controls/messagebox.h"
#include "settings/programsettings.h"

void ShowSettingsNotices(MessageBoxPresenter& presenter, ProgramSettings& settings)
{
    for (const SettingsNotice& notice : settings.TakeNotices()) {
        if (notice.kind == SettingsNoticeKind::Recorder)
            ShowApplicationBox(presenter, notice.text);
        else
            ShowWindowBox(presenter, notice.caption, notice.text, BoxKind::Error);
    }
}
