#pragma once

#include <memory>

// Powering the computer off after a verified recording.
class PowerOff
{
public:
    virtual ~PowerOff() = default;
    // True when the system can be asked right now.
    [[nodiscard]] virtual bool Available() = 0;
    // Asks the system to power off; false when it refused or did not answer.
    virtual bool Request() = 0;
};

// Through logind (org.freedesktop.login1) on the system bus.
[[nodiscard]] std::unique_ptr<PowerOff> MakeLogindPowerOff();
