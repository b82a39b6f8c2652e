#pragma once

#include "burn/recordingsession.h"
#include "imaging/buildresult.h"

#include <QString>

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

// The outcome word of a result object: fixed and never translated, since
// scripts compare it. One of success, refused, declined, build-failed,
// check-failed, record-failed, verify-failed, stopped; finer than the status,
// never at odds with it.
[[nodiscard]] QString OutcomeWordOf(const RunEnd& end);
