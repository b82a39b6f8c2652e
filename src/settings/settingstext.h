#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The text a value's bytes stand for: UTF-8 when they are valid UTF-8, else
// Windows-1252, the code page of the files the Windows program writes.
[[nodiscard]] QString DecodeSettingsText(QByteArrayView bytes);

// The bytes to store for `text`: the bytes it was read from while they still
// decode to it, so a read followed by a write keeps every byte; else UTF-8.
[[nodiscard]] QByteArray EncodeSettingsText(const QString& text, const QByteArray& readBytes);
