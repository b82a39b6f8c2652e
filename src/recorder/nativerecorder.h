#pragma once

#include <QString>

// True when the recorder path names the native recorder: a file called
// "xorriso", which is never a Windows program and has no version gates.
[[nodiscard]] bool IsXorrisoRecorder(const QString& recorderPath);
