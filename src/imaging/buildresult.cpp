#include "imaging/buildresult.h"

#include <QCoreApplication>

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

namespace {

QString WithNotes(const QString& text, const QStringList& notes)
{
    QStringList parts{text};
    parts += notes;
    parts.removeAll(QString());
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace

OutcomeText ResultBox(const BuildResult& result)
{
    OutcomeText box = result.refusal.isEmpty()
                          ? OutcomeMessage(result.code, result.detail, result.systemError)
                          : OutcomeText{QCoreApplication::translate("BuildWindow", "Error"),
                                        result.refusal, OutcomeKind::Error};
    box.text = WithNotes(box.text, result.notes);
    return box;
}

QString ResultMessage(const BuildResult& result)
{
    if (ShowsNoBox(result))
        return WithNotes(result.detail, result.notes);
    return ResultBox(result).text;
}
