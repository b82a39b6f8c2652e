#pragma once

#include "platform/messagebox.h"

#include <QString>

// What a single-layer DVD holds, in bytes.
inline constexpr double SingleLayerCapacity = 4'700'000'000.0;

// Measures the source and asks whether to go on when it will not fit on a
// single-layer DVD. Returns 0 to go on, 1 when the user answered No, and -1
// without a message when the source measures 0 bytes or less.
[[nodiscard]] int CheckSourceSize(const QString& sourceDirectory, MessageBoxPresenter& presenter);

// The question's text for an excess given in bytes.
QString SourceSizeQuestion(double excessBytes);
