#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The write speeds a drive reports to "xorriso -outdev DRIVE -list_speeds"
// ("Write speed  :  5540k ,  4.0xD , ..."), as speed items "4x", slowest
// first, then "MAX"; empty when the drive reported none.
[[nodiscard]] QStringList DriveSpeedItems(const QString& listSpeedsOutput, QChar decimalSeparator);

// Asks xorriso for the drive's speeds, waiting at most timeoutMs; the output.
[[nodiscard]] QString QueryDriveSpeeds(const QString& xorriso, const QString& drive,
                                       int timeoutMs = 10000);
