#pragma once

#include "cli/clioptions.h"
#include "imaging/builddecisions.h"

#include <QString>

#include <functional>

// Answers the build's questions without a window: from --yes or --no, else on
// the terminal, else with the safe answer, No, and the reason printed.
class CliDecisions : public BuildDecisions
{
public:
    // readAnswer reads one line typed on the terminal; null when there is none.
    CliDecisions(AnswerMode mode, std::function<QString()> readAnswer)
        : m_mode(mode), m_readAnswer(std::move(readAnswer))
    {}

    bool ContinueOversized(const BuildRequest& request, const QString& question) override;
    bool ContinueWithoutFile(const BuildRequest& request, const QString& path) override;

    // Prints the question to standard error and returns the answer.
    bool Decide(const QString& question);

private:
    AnswerMode m_mode;
    std::function<QString()> m_readAnswer;
};

// The terminal's answer reader when standard input is one, else null.
[[nodiscard]] std::function<QString()> TerminalAnswerReader();
