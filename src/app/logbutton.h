#pragma once

// The main window's "&Log" button, which a build enables when it ends.
class LogButton
{
public:
    virtual ~LogButton() = default;
    virtual void EnableLog() = 0;
};
