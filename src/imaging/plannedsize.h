#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QObject;

// Asks the image builder how many bytes it would write for these arguments, as
// it counts them itself without writing (genisoimage's -print-size). It walks
// the source but reads no video data. `done` gets the count from the event
// loop, or -1 when the builder cannot say within a few seconds; nothing when
// `context` is gone by then.
void AskPlannedImageBytes(const QString& program, const QStringList& arguments, QObject* context,
                          std::function<void(qint64 bytes)> done);
