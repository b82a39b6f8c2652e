#pragma once

#include <QtGlobal>

// What the program relies on from the external recorder: its version gates and
// its command-line switches, kept literally as the recorder expects them.
namespace Decrypter {

// A feature is supported when the installed product version is above its threshold.
inline constexpr char RecordingThreshold[] = "3.1.6.0";
inline constexpr char ShutdownEraseThreshold[] = "3.1.9.0";
inline constexpr char VerifyThreshold[] = "3.2.1.0";
inline constexpr char VerifyValueSpeedThreshold[] = "3.2.2.0";

inline constexpr char VersionFormat[] = "%d.%d.%d.%d";
// The user's messages about the recorder, marked for the catalogue.
inline constexpr char MinimumVersionMessage[] = QT_TRANSLATE_NOOP(
    "Recorder", "For recording support at least DVDDecrypter Ver. 3.1.7.0 is needed!");
// Followed directly by the path of the executable whose version could not be read.
inline constexpr char NoFileInformationMessage[] =
    QT_TRANSLATE_NOOP("Recorder", "Can't receive file information for file ");

// "%s /MODE ISOWRITE /START %s%s%s%s /SRC \"%s\" /DEST %s": executable, erase,
// verify, shutdown and speed switches, source, drive. Each switch ends in a blank.
inline constexpr char CommandLineFormat[] =
    "%s /MODE ISOWRITE /START %s%s%s%s /SRC \"%s\" /DEST %s";
inline constexpr char EraseSwitch[] = "/ERASE ";
inline constexpr char ShutdownSwitch[] = "/SHUTDOWN ";
inline constexpr char VerifySwitch[] = "/VERIFY ";
inline constexpr char VerifyYesSwitch[] = "/VERIFY YES ";
inline constexpr char VerifyNoSwitch[] = "/VERIFY NO ";
inline constexpr char SpeedSwitchFormat[] = "/SPEED %s ";

// The first line of an image list, followed by one chunk path per line.
inline constexpr char ImageListHeader[] = "IMAGELIST";

} // namespace Decrypter
