#pragma once

#include "controls/answerqueue.h"

#include <QString>

class QFileDialog;
class QWidget;

// Lets the user choose a folder in a modal folder chooser that opens at an
// initial folder.
class FolderPicker
{
public:
    static constexpr int ResultOk = 1;
    static constexpr int ResultCancel = 2;

    virtual ~FolderPicker() = default;

    // ResultOk with the folder in GetPath; ResultCancel when cancelled or when
    // what was chosen is not a folder. A missing initial folder leaves the
    // chooser at its default place. The flags are the caller's browse flags;
    // the chooser only ever offers folders.
    int Browse(const QString& title, const QString& initialFolder = {}, int flags = 0,
               QWidget* owner = nullptr);
    QString GetPath() const { return m_path; }

    // Test hook: the next Browse takes this answer instead of showing the
    // chooser.
    using Answer = AnswerQueue<QFileDialog>::Answer;
    static void SetNextAnswer(Answer answer);
    static void SetNextAnswer(const QString& path);
    static void SetNextCancel();
    static void ClearAnswers();

private:
    QString m_path;
};

// Where the main window's folder chooser starts: the user's home folder.
QString DefaultBrowseFolder();
