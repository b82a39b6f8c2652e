#pragma once

#include <QString>
#include <QStringList>

// The bytes the image builder would write for these arguments, as it counts
// them itself without writing (genisoimage's -print-size); -1 when it cannot
// say within a few seconds. It walks the source but reads no video data.
[[nodiscard]] qint64 PlannedImageBytes(const QString& program, const QStringList& arguments);
