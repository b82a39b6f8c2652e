#include "cli/exitstatus.h"

#include "cli/exitcodes.h"

namespace {

int BuildStatus(BuildOutcome outcome)
{
    switch (outcome) {
    case BuildOutcome::Built:
        return ExitCode::Success;
    case BuildOutcome::Refused:
    case BuildOutcome::Declined:
        return ExitCode::Refused;
    case BuildOutcome::CheckFailed:
        return ExitCode::CheckFailed;
    case BuildOutcome::BuildFailed:
    case BuildOutcome::Unfollowed:
    case BuildOutcome::Aborted:
        break;
    }
    return ExitCode::BuildFailed;
}

int RecordingStatus(RecordingOutcome outcome)
{
    if (RecordingReport{outcome, 0, {}}.Succeeded())
        return ExitCode::Success;
    return outcome == RecordingOutcome::Refused ? ExitCode::Refused : ExitCode::RecordFailed;
}

} // namespace

int ExitStatusOf(const RunEnd& end)
{
    if (end.signal != 0)
        return ExitCode::SignalBase + end.signal;
    if (end.build != BuildOutcome::Built || !end.recording)
        return BuildStatus(end.build);
    return RecordingStatus(*end.recording);
}
