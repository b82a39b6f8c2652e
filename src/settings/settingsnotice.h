#pragma once

#include <QList>
#include <QString>

// Who a notice is about, which decides how a face shows it: the window shows
// a settings file problem in an error box over itself, a recorder warning in
// the plain application box.
enum class SettingsNoticeKind
{
    SettingsFile,
    Recorder,
};

// Something the settings found that the user must be told.
struct SettingsNotice
{
    SettingsNoticeKind kind = SettingsNoticeKind::SettingsFile;
    QString caption; // for a settings file problem; a recorder warning has the program's name
    QString text;

    friend bool operator==(const SettingsNotice& a, const SettingsNotice& b)
    {
        return a.kind == b.kind && a.caption == b.caption && a.text == b.text;
    }
};

using SettingsNotices = QList<SettingsNotice>;
