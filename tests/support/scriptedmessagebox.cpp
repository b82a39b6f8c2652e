#include "support/scriptedmessagebox.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

bool AsksYesNo(BoxKind kind)
{
    return kind == BoxKind::WarningYesNo || kind == BoxKind::QuestionYesNo;
}

} // namespace

BoxAnswer ScriptedMessageBox::Show(const MessageBoxRequest& request)
{
    m_shown.append(request);
    if (!m_answers.isEmpty()) {
        const BoxAnswer answer = m_answers.takeFirst();
        if (answer == BoxAnswer::Extra && request.extraButton.isEmpty())
            ADD_FAILURE() << "the extra button is scripted for a box without one: "
                          << request.text.toStdString();
        return answer;
    }
    return AsksYesNo(request.kind) ? BoxAnswer::Yes : BoxAnswer::Ok;
}

void ScriptedMessageBox::Answer(BoxAnswer answer)
{
    m_answers.append(answer);
}

QList<MessageBoxRequest> ScriptedMessageBox::Shown() const
{
    return m_shown;
}

MessageBoxRequest ScriptedMessageBox::Last() const
{
    return m_shown.isEmpty() ? MessageBoxRequest{} : m_shown.last();
}

qsizetype ScriptedMessageBox::Count() const
{
    return m_shown.size();
}

void ScriptedMessageBox::Clear()
{
    m_shown.clear();
    m_answers.clear();
}

void PrintTo(const MessageBoxRequest& request, std::ostream* out)
{
    *out << "{caption \"" << request.caption.toStdString() << "\", text \""
         << request.text.toStdString() << "\", kind " << static_cast<int>(request.kind)
         << ", owner " << static_cast<int>(request.owner);
    if (!request.extraButton.isEmpty())
        *out << ", extra \"" << request.extraButton.toStdString() << "\"";
    *out << "}";
}

bool operator==(const MessageBoxRequest& a, const MessageBoxRequest& b)
{
    return a.caption == b.caption && a.text == b.text && a.kind == b.kind && a.owner == b.owner &&
           a.extraButton == b.extraButton;
}
