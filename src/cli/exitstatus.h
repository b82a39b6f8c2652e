#pragma once

#include "burn/recordingsession.h"
#include "imaging/buildresult.h"

#include <optional>

// How a command's run ended: its build, the recording that followed, and the
// signal that stopped it.
struct RunEnd
{
    BuildOutcome build = BuildOutcome::Built; // Built too for an existing image
    std::optional<RecordingOutcome> recording;
    int signal = 0;
};

// The exit status (see exitcodes.h): a stopping signal first, then a build
// that did not complete, then the recording.
[[nodiscard]] int ExitStatusOf(const RunEnd& end);
