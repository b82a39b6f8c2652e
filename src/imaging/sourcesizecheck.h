#pragma once

#include <QString>

#include <functional>

// What a single-layer DVD holds, in bytes.
inline constexpr double SingleLayerCapacity = 4'700'000'000.0;

// Asked with the question's text when the source will not fit; true goes on.
using OversizeQuestion = std::function<bool(const QString& question)>;

enum class SizeVerdict
{
    GoOn,       // it fits, or the answer was Yes
    Declined,   // the answer was No
    Unmeasured, // the source measures 0 bytes or less; nothing was asked
};

// Measures the source and asks whether to go on when it will not fit on a
// single-layer DVD.
[[nodiscard]] SizeVerdict CheckSourceSize(const QString& sourceDirectory,
                                          const OversizeQuestion& ask);

// The question's text for an excess given in bytes.
QString SourceSizeQuestion(double excessBytes);
