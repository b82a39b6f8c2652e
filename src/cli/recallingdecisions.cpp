#include "cli/recallingdecisions.h"

#include "imaging/outcome.h"

bool RecallingDecisions::ContinueOversized(const BuildRequest& request, const QString& question)
{
    m_question = question;
    return CliDecisions::ContinueOversized(request, question);
}

bool RecallingDecisions::ContinueWithoutFile(const BuildRequest& request, const QString& path)
{
    // The words CliDecisions puts it in.
    m_question = OutcomeMessage(OutcomeCode::MissingFileAsk, path, 0).text;
    return CliDecisions::ContinueWithoutFile(request, path);
}
