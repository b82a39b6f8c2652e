#pragma once

#include <QString>

// The devices the native recorder may be given. Anything else would be taken
// by xorriso as a file name in the working folder and written to silently.

// The prefix of a pseudo-drive, a file xorriso records into. xorriso knows
// it in lower case only.
inline constexpr char PseudoDrivePrefix[] = "stdio:";

// True for a block device (an optical drive such as /dev/sr0) or an explicit
// pseudo-drive: "stdio:" followed by an absolute path.
[[nodiscard]] bool IsRecordingDevice(const QString& drive);

// The message that refuses a device IsRecordingDevice does not accept.
[[nodiscard]] QString RecordingDeviceRefusal(const QString& drive);
