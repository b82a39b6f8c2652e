#pragma once

#include <QString>

// The recording options the window shows, taken from it before the image is
// handed on, so that nothing here calls back into the window.
struct RecordingChoices
{
    bool shutdown = false; // the stored value of the check box
    bool verify = false;   // the stored value of the check box
    QString speedText;     // the selected Recording Speed item; empty for none
};
