#pragma once

#include "imaging/builddecisions.h"
#include "imaging/buildrequest.h"

#include <QList>
#include <QStringList>

// Answers a build's questions from a script and records each one asked, in
// order, with the request as the engine had taken it then. An empty script
// answers every question with "go on".
class ScriptedDecisions : public BuildDecisions
{
public:
    bool ContinueOversized(const BuildRequest& request, const QString& question) override;
    bool ContinueWithoutFile(const BuildRequest& request, const QString& path) override;

    // Queues the answer to the next question.
    void Answer(bool goOn) { m_answers << goOn; }

    // "oversized: <question>" and "missing: <path>", in the order asked.
    QStringList asked;
    QList<BuildRequest> requests;

private:
    bool Next(const BuildRequest& request, const QString& question);

    QList<bool> m_answers;
};
