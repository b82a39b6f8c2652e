#pragma once

#include <chrono>
#include <functional>

// Sends a signal to what is being ended.
using EndSignal = std::function<void(int signal)>;

// Spends the grace, then calls `kill` unless what is being ended is known to
// be gone by then: by waiting in place, or later from a timer.
using GraceWait =
    std::function<void(std::chrono::milliseconds grace, const std::function<void()>& kill)>;

// How this program ends what it started: SIGTERM first, so that a child can
// leave its files in order, and SIGKILL after the grace to what is left.
void EndGracefully(const EndSignal& signal, std::chrono::milliseconds grace, const GraceWait& wait);
