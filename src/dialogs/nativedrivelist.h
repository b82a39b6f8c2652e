#pragma once

#include "burn/opticaldrives.h"

#include <QList>
#include <QString>

class QComboBox;

// The drive list of the settings with the native recorder: the system's
// optical drives by device, with their models, instead of drive letters. A
// stored device the system does not list (a stdio pseudo-drive) stays offered.
void FillNativeDrives(QComboBox& list, const QList<OpticalDrive>& drives, const QString& stored);

// The device of the selected item; empty for none.
[[nodiscard]] QString SelectedDevice(const QComboBox& list);
