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

QString BuildWord(BuildOutcome outcome)
{
    switch (outcome) {
    case BuildOutcome::Built:
        return QStringLiteral("success");
    case BuildOutcome::Refused:
        return QStringLiteral("refused");
    case BuildOutcome::Declined:
        return QStringLiteral("declined");
    case BuildOutcome::CheckFailed:
        return QStringLiteral("check-failed");
    case BuildOutcome::Aborted:
        return QStringLiteral("stopped");
    case BuildOutcome::BuildFailed:
    case BuildOutcome::Unfollowed:
        break;
    }
    return QStringLiteral("build-failed");
}

QString RecordingWord(RecordingOutcome outcome)
{
    switch (outcome) {
    case RecordingOutcome::Recorded:
    case RecordingOutcome::Verified:
    case RecordingOutcome::PoweringOff:
        return QStringLiteral("success");
    case RecordingOutcome::Refused:
        return QStringLiteral("refused");
    case RecordingOutcome::VerifyFailed:
        return QStringLiteral("verify-failed");
    case RecordingOutcome::Aborted:
        return QStringLiteral("stopped");
    case RecordingOutcome::Failed:
    case RecordingOutcome::Unconfirmed:
        break;
    }
    return QStringLiteral("record-failed");
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

QString OutcomeWordOf(const RunEnd& end)
{
    if (end.signal != 0)
        return QStringLiteral("stopped");
    if (end.build != BuildOutcome::Built || !end.recording)
        return BuildWord(end.build);
    return RecordingWord(*end.recording);
}
