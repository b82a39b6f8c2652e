#pragma once

#include "controls/messagebox.h"

#include <QList>

// Records every message box the code under test shows and answers from a
// script. An empty script answers OK boxes with Ok and Yes/No boxes with Yes;
// a scripted Extra is for a box that offers the extra button.
class ScriptedMessageBox : public MessageBoxPresenter
{
public:
    BoxAnswer Show(const MessageBoxRequest& request) override;

    // Queues the answer for the next box shown.
    void Answer(BoxAnswer answer);

    QList<MessageBoxRequest> Shown() const;
    MessageBoxRequest Last() const;
    qsizetype Count() const;
    void Clear();

private:
    QList<BoxAnswer> m_answers;
    QList<MessageBoxRequest> m_shown;
};

// Readable failure output for the recorded requests.
void PrintTo(const MessageBoxRequest& request, std::ostream* out);
bool operator==(const MessageBoxRequest& a, const MessageBoxRequest& b);
