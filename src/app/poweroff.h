#pragma once

#include "burn/poweroffservice.h"

#include <memory>

using PowerOff = PowerOffService;

// Through logind (org.freedesktop.login1) on the system bus.
[[nodiscard]] std::unique_ptr<PowerOff> MakeLogindPowerOff();
