#pragma once

// The main window's busy state: while a build is prepared or runs, the inputs,
// the browse buttons, "&Image" and "&Quit" are disabled and "&Abort" is enabled.
class BusyState
{
public:
    virtual ~BusyState() = default;
    virtual void EnterBusyState() = 0;
    virtual void LeaveBusyState() = 0;
};
