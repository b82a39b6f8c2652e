#include "fakes/scripteddecisions.h"

bool ScriptedDecisions::ContinueOversized(const BuildRequest& request, const QString& question)
{
    return Next(request, QStringLiteral("oversized: ") + question);
}

bool ScriptedDecisions::ContinueWithoutFile(const BuildRequest& request, const QString& path)
{
    return Next(request, QStringLiteral("missing: ") + path);
}

bool ScriptedDecisions::Next(const BuildRequest& request, const QString& question)
{
    asked << question;
    requests << request;
    return m_answers.isEmpty() || m_answers.takeFirst();
}
