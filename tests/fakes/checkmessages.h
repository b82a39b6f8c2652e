#pragma once

#include "imaging/outcome.h"
#include "imaging/sourcesizecheck.h"

#include <QList>
#include <QString>

#include <ostream>

// The folder and size checks with their messages recorded as a face would tell
// them, and their questions answered from a script (Yes once it runs out), for
// tests that read the messages.
class CheckMessages
{
public:
    // Queues the answer to the next question.
    void Answer(bool yes) { m_answers.append(yes); }

    bool Ask(const OutcomeText& question);
    void Tell(const OutcomeText& message) { m_shown.append(message); }

    const QList<OutcomeText>& Shown() const { return m_shown; }
    OutcomeText Last() const { return m_shown.value(m_shown.size() - 1); }
    qsizetype Count() const { return m_shown.size(); }
    void Clear();

private:
    QList<bool> m_answers;
    QList<OutcomeText> m_shown;
};

// 0 when the build may go on, -1 when it must not.
[[nodiscard]] int CheckDvdFolder(const QString& sourceDirectory, CheckMessages& messages);

[[nodiscard]] SizeVerdict CheckSourceSize(const QString& sourceDirectory, CheckMessages& messages);

bool operator==(const OutcomeText& a, const OutcomeText& b);
void PrintTo(const OutcomeText& message, std::ostream* out);
