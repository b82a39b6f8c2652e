#pragma once

#include "cli/clidecisions.h"

#include <utility>

// The command line's answers, keeping the question last put: a build that
// stops at a No has said nothing of its own, and its result names the question.
class RecallingDecisions : public CliDecisions
{
public:
    using CliDecisions::CliDecisions;

    bool ContinueOversized(const BuildRequest& request, const QString& question) override;
    bool ContinueWithoutFile(const BuildRequest& request, const QString& path) override;

    // The last question put since the last call, or empty.
    [[nodiscard]] QString TakeQuestion() { return std::exchange(m_question, QString()); }

private:
    QString m_question;
};
