#pragma once

#include "platform/messagebox.h"

#include <QString>

// The folder and size checks with the main window's boxes, as the window
// answers them, for tests that read the boxes.

// 0 when the build may go on, -1 when it must not.
[[nodiscard]] int CheckDvdFolder(const QString& sourceDirectory, MessageBoxPresenter& presenter);

// 0 to go on, 1 after No, -1 when the source measures nothing.
[[nodiscard]] int CheckSourceSize(const QString& sourceDirectory, MessageBoxPresenter& presenter);
