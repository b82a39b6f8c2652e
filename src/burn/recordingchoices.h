#pragma once

#include <QString>

// The recording options of the main window, read when the recorder is launched.
class RecordingChoices
{
public:
    virtual ~RecordingChoices() = default;

    // The stored values of the two check boxes, as last transferred.
    virtual bool ShutdownValue() const = 0;
    virtual bool VerifyValue() const = 0;

    // The text of the selected Recording Speed item, read from the control now;
    // empty when nothing is selected or the text cannot be read.
    virtual QString SelectedSpeedText() const = 0;
};
