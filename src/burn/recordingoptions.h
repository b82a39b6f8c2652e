#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// Which recording options the main window offers for the installed recorder.
struct RecordingOptionsState
{
    bool shutdownEnabled = false;
    bool verifyEnabled = false;
    bool speedEnabled = false; // the list and its label
    bool clearShutdown = false;
    bool clearVerify = false;
};

// The options for a burn setting and a recorder version. With burning off all
// are disabled and keep their values; a disabled option is cleared only when
// burning is on but the version is too old for it.
RecordingOptionsState DecideRecordingOptions(bool burnImageFile, const QString& decrypterVersion);

// The speed items in their fixed order, "." replaced by the locale's separator.
QStringList SpeedListItems(QChar decimalSeparator);

// The decimal separator of the user's locale.
QChar LocaleDecimalSeparator();

// The index to select for the stored speed text: the first item that begins with
// it, without regard to case; the "MAX" item for a text shorter than 2; -1 for none.
int SpeedSelection(const QStringList& items, const QString& writeSpeed);

// The options offered with the native recorder: speed and verify always;
// shutdown only where the system can be asked to power off.
[[nodiscard]] RecordingOptionsState NativeRecordingOptions(bool shutdownAvailable);
