#pragma once

#include "platform/messagebox.h"

// Shows the messages the core would put in a box (an unusable settings file,
// for one) on standard error. Questions get the safe answer, No.
class StderrPresenter : public MessageBoxPresenter
{
public:
    int Show(const MessageBoxRequest& request) override;
};

// Writes one message line (or several) to standard error, as UTF-8.
void PrintError(const QString& text);
