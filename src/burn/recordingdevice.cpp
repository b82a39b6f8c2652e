#include "burn/recordingdevice.h"

#include <QCoreApplication>
#include <QFile>

#include <sys/stat.h>

namespace {

const QLatin1String kPseudoDrive(PseudoDrivePrefix);

} // namespace

bool IsRecordingDevice(const QString& drive)
{
    if (drive.startsWith(kPseudoDrive))
        return drive.size() > kPseudoDrive.size() + 1 && drive.at(kPseudoDrive.size()) == u'/';
    struct stat info = {};
    return drive.startsWith(u'/') && ::stat(QFile::encodeName(drive).constData(), &info) == 0 &&
           S_ISBLK(info.st_mode);
}

QString RecordingDeviceRefusal(const QString& drive)
{
    const QString named =
        drive.isEmpty()
            ? QCoreApplication::translate("Recording", "No recording drive is chosen.")
            : QCoreApplication::translate("Recording", "\"%1\" is not a drive.").arg(drive);
    return named + QCoreApplication::translate(
                       "Recording",
                       "\nChoose an optical drive such as /dev/sr0, or stdio: followed "
                       "by the full path of a file to record into.");
}
