#pragma once

#include <QString>

class QWidget;
struct ExistingImage;

// Asks for an image or an image list to record, with the program's file
// dialog, opening in the folder of nearFile when there is one. Empty when
// the user cancelled.
[[nodiscard]] QString ChooseImageToRecord(QWidget* parent, const QString& nearFile);

// What the window says of an image it will not record: why, or what the
// read-back found.
[[nodiscard]] QString ImageRefusalText(const ExistingImage& image);
