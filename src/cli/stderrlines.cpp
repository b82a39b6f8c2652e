#include "cli/stderrlines.h"

#include "settings/programsettings.h"

#include <cstdio>

void PrintError(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
}

void PrintSettingsNotices(ProgramSettings& settings)
{
    for (const SettingsNotice& notice : settings.TakeNotices())
        PrintError(notice.text);
}
