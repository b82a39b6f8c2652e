#pragma once

// Powering the computer off after a verified recording. The face that runs the
// recording fills it in (the window through logind), so recording needs no D-Bus.
class PowerOffService
{
public:
    virtual ~PowerOffService() = default;
    // True when the system can be asked right now.
    [[nodiscard]] virtual bool Available() = 0;
    // Asks the system to power off; false when it refused or did not answer.
    virtual bool Request() = 0;
};
