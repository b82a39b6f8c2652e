#pragma once

#include <QList>
#include <QString>

// One optical drive of the system, as the native recorder addresses it.
struct OpticalDrive
{
    QString device; // "/dev/sr0"
    QString model;  // vendor and model as the kernel reports them; may be empty

    // "/dev/sr0 (HL-DT-ST DVDRAM GH24NSD1)", or the device alone.
    [[nodiscard]] QString Label() const;
};

// The optical drives listed under a sysfs block folder (sr0, sr1, ...), in
// order, with their model names. sysBlock is "/sys/block" outside tests.
[[nodiscard]] QList<OpticalDrive>
OpticalDrives(const QString& sysBlock = QStringLiteral("/sys/block"));
