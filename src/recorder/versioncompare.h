#pragma once

#include <QString>

// True when `version` ("a.b.c.d") is above `threshold`, comparing the four parts
// as numbers, so 3.1.10.0 is above 3.1.6.0. A version that is empty or not four
// dot-separated decimal numbers is below every threshold.
bool IsVersionAbove(const QString& version, const char* threshold);
