#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// A file's whole content; empty when it cannot be read.
inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces a file's content; false when it cannot be written.
inline bool WriteBytes(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// The image byte for byte on a pseudo-disc, then at most the zeros that round
// the written area up to a 32 KiB block.
inline bool DiscHolds(const QString& disc, const QByteArray& image)
{
    const QByteArray written = FileBytes(disc);
    const QByteArray tail = written.mid(image.size());
    return !image.isEmpty() && written.startsWith(image) && tail.size() < 32 * 1024 &&
           tail.count('\0') == tail.size();
}
