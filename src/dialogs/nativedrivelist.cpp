#include "dialogs/nativedrivelist.h"

#include <QComboBox>

void FillNativeDrives(QComboBox& list, const QList<OpticalDrive>& drives, const QString& stored)
{
    list.clear();
    for (const OpticalDrive& drive : drives)
        list.addItem(drive.Label(), drive.device);
    if (!stored.isEmpty() && list.findData(stored) < 0)
        list.addItem(stored, stored);
    const int index = stored.isEmpty() ? 0 : list.findData(stored);
    list.setCurrentIndex(list.count() > 0 ? index : -1);
}

QString SelectedDevice(const QComboBox& list)
{
    return list.currentIndex() >= 0 ? list.currentData().toString() : QString();
}
