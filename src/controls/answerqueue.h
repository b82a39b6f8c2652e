#pragma once

#include <QString>

#include <deque>
#include <functional>
#include <optional>

// Answers queued for the next runs of a modal dialog, so that flows through
// it can run without a user. An answer sees the configured dialog and gives
// the chosen path, or nullopt for a cancelled run.
template <typename Dialog> class AnswerQueue
{
public:
    using Answer = std::function<std::optional<QString>(Dialog&)>;

    void Push(Answer answer) { m_answers.push_back(std::move(answer)); }
    bool IsEmpty() const { return m_answers.empty(); }
    void Clear() { m_answers.clear(); }

    Answer Take()
    {
        Answer next = std::move(m_answers.front());
        m_answers.pop_front();
        return next;
    }

private:
    std::deque<Answer> m_answers;
};
