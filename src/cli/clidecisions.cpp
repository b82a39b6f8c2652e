#include "cli/clidecisions.h"

#include "cli/stderrlines.h"
#include "imaging/outcome.h"

#include <QCoreApplication>

#include <array>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kAnswerLength = 256;

// "y" and "yes" always count, so that scripts written for English work anywhere.
bool IsYes(const QString& answer)
{
    const QStringList words = {QStringLiteral("y"), QStringLiteral("yes"),
                               QCoreApplication::translate("Cli", "y", "short answer Yes"),
                               QCoreApplication::translate("Cli", "yes", "answer Yes")};
    return words.contains(answer);
}

} // namespace

bool CliDecisions::ContinueOversized(const BuildRequest& /*request*/, const QString& question)
{
    return Decide(question);
}

bool CliDecisions::ContinueWithoutFile(const BuildRequest& /*request*/, const QString& path)
{
    return Decide(OutcomeMessage(OutcomeCode::MissingFileAsk, path, 0).text);
}

bool CliDecisions::Decide(const QString& question)
{
    PrintError(question);
    if (m_mode != AnswerMode::Ask) {
        const bool yes = m_mode == AnswerMode::Yes;
        PrintError(yes ? QCoreApplication::translate("Cli", "Answered Yes (--yes).")
                       : QCoreApplication::translate("Cli", "Answered No (--no): stopped."));
        return yes;
    }
    if (!m_readAnswer) {
        PrintError(QCoreApplication::translate(
            "Cli", "No terminal to ask on, so the answer is No: stopped. Give --yes to go on."));
        return false;
    }
    std::fputs(qUtf8Printable(QCoreApplication::translate("Cli", "[y/N] ")), stderr);
    std::fflush(stderr);
    const bool yes = IsYes(m_readAnswer().trimmed().toLower());
    if (!yes)
        PrintError(QCoreApplication::translate("Cli", "Stopped."));
    return yes;
}

std::function<QString()> TerminalAnswerReader()
{
    if (isatty(STDIN_FILENO) == 0)
        return nullptr;
    // One line at a time, so that answers typed ahead stay for the next question.
    return [] {
        std::array<char, kAnswerLength> line{};
        if (std::fgets(line.data(), static_cast<int>(line.size()), stdin) == nullptr)
            return QString();
        return QString::fromLocal8Bit(line.data());
    };
}
