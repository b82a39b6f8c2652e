#pragma once

#include "settings/settingsvalues.h"

#include <QByteArray>
#include <QByteArrayView>

// The settings file's name inside the program folder.
inline constexpr char SettingsFileName[] = "stencil.ini";

// Applies every recognised line of a settings file's text to `values`. Lines
// are taken whole and may end in LF or CR LF; keys are matched case-sensitively
// with one blank on each side of "="; the last of duplicate keys wins; other
// lines are ignored. Keys that do not occur leave their values alone. A text
// value keeps the bytes it was read as in `values.fileBytes`.
void ReadSettingsText(const QByteArray& text, SettingsValues& values);

// The complete file text: three comment lines and the seven keys, each line
// ending in CR LF so the file is the same on every platform. A text value is
// written as the bytes it was read as while it still says the same.
QByteArray FormatSettingsFile(const SettingsValues& values);

// The leading integer of a text as atoi reads it (blanks, sign, digits; 0 when
// there are none), held to the int range instead of overflowing.
[[nodiscard]] int ParseLeadingInt(QByteArrayView text);
