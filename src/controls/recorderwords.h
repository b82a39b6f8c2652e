#pragma once

#include <vector>

class QWidget;

// A text a window shows for the native recorder in place of the one it was
// designed with, which names the Windows recorder, Windows or drive letters.
struct NativeText
{
    const char* object;   // the control's object name
    const char* property; // "text", "title" or "toolTip"
    const char* text;     // marked with QT_TRANSLATE_NOOP("RecorderWords", ...)
};

// Shows the native texts, or puts the designed ones back exactly. The
// designed text is kept on the control the first time it is replaced.
void ShowRecorderWords(QWidget& window, const std::vector<NativeText>& texts, bool native);
