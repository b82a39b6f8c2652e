#pragma once

#include <QString>

class ProgramSettings;

// Writes one message line (or several) to standard error, as UTF-8.
void PrintError(const QString& text);

// Writes what the settings found since they were last asked (an unusable
// settings file, a recorder that is too old), one message each.
void PrintSettingsNotices(ProgramSettings& settings);
