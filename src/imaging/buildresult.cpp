#include "imaging/buildresult.h"

BuildResult RefusalResult(const QString& text)
{
    BuildResult result;
    result.outcome = BuildOutcome::Refused;
    result.refusal = text;
    return result;
}

BuildResult CodeResult(BuildOutcome outcome, OutcomeCode code, const QString& detail,
                       int systemError)
{
    BuildResult result;
    result.outcome = outcome;
    result.code = code;
    result.detail = detail;
    result.systemError = systemError;
    return result;
}

bool ShowsNoBox(const BuildResult& result)
{
    switch (result.outcome) {
    case BuildOutcome::Declined:
    case BuildOutcome::Unfollowed:
    case BuildOutcome::Aborted:
        return true;
    case BuildOutcome::Built:
    case BuildOutcome::Refused:
    case BuildOutcome::BuildFailed:
    case BuildOutcome::CheckFailed:
        break;
    }
    return false;
}

QString ResultMessage(const BuildResult& result)
{
    if (ShowsNoBox(result))
        return result.detail;
    if (!result.refusal.isEmpty())
        return result.refusal;
    return OutcomeMessage(result.code, result.detail, result.systemError).text;
}
