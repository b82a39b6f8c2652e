#pragma once

#include <QPixmap>

// The buttons' pictures, addressed by their resource numbers. An unknown
// number gives a null pixmap.
QPixmap LoadIconResource(int id);
QPixmap LoadBitmapResource(int id);
