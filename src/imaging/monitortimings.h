#pragma once

#include <chrono>

// The cadence of a build's monitor. Tests shorten it to milliseconds.
struct MonitorTimings
{
    std::chrono::milliseconds firstDelay{750};    // before the first look at the capture file
    std::chrono::milliseconds pollInterval{2000}; // the longest wait between two polls
    std::chrono::milliseconds killGrace{500};     // after SIGTERM, before SIGKILL on abort
};
