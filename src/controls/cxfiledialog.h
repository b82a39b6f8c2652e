#pragma once

#include "controls/answerqueue.h"

#include <QFileDialog>

class HistoryCombo;
class QLabel;
class QLineEdit;

// The program's file open/save dialog: Qt's own file dialog with a
// "Recent folders" list below the standard controls. Every accepted file
// moves its folder to the top of the history shared by all file dialogs.
class CXFileDialog : public QFileDialog
{
    Q_OBJECT

public:
    static constexpr int ResultOk = 1;
    static constexpr int ResultCancel = 2;
    // Option flags in the caller's numbering.
    static constexpr int FlagOverwritePrompt = 0x2;
    static constexpr int FlagHideReadOnly = 0x4;
    static constexpr int FlagFileMustExist = 0x1000;

    explicit CXFileDialog(QWidget* parent = nullptr);
    // filter: "Description|pattern|...||", as the callers write it.
    CXFileDialog(bool openFileDialog, const QString& defaultExtension, const QString& fileName,
                 int flags, const QString& filter, QWidget* parent = nullptr);

    // Where the dialog opens when that folder exists; without one it opens in
    // the last folder used (the top of the history).
    void SetInitialFolder(const QString& folder) { m_initialFolder = folder; }

    // Runs the dialog: ResultOk with the path in GetPathName, else ResultCancel.
    int DoModal();
    QString GetPathName() const { return m_pathName; }
    HistoryCombo& History() { return *m_history; }
    int CallerFlags() const { return m_callerFlags; }

    // Test hook: the next DoModal takes this answer instead of showing the
    // dialog; an accepted path goes through the same history steps.
    using Answer = AnswerQueue<CXFileDialog>::Answer;
    static void SetNextAnswer(Answer answer);
    static void SetNextAnswer(const QString& path);
    static void SetNextCancel();
    static void ClearAnswers();

protected:
    void accept() override;
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    void AddHistoryPanel();
    void OnInitDialog();
    void OnFileNameOK(const QString& path);
    bool ApplyTypedPattern();
    void JumpToFolder(int index);
    void OpenInStartFolder();
    void MoveToFolderKeepingTheName(const QString& folder);
    QLineEdit* FileNameField() const;

    HistoryCombo* m_history = nullptr;
    QLabel* m_historyLabel = nullptr;
    int m_callerFlags = 0;
    QString m_pathName;
    QString m_initialFolder;
};

// Qt name filters from a "Description|pattern|...||" filter. "*.*" becomes
// "*", which on Linux also matches names without a dot; an entry without a
// pattern takes the one named in its description, else "*".
QStringList NameFiltersOf(const QString& filter);

// The folder remembered for an accepted file: everything before the last
// separator; the root for a file directly in it; a name without any
// separator is taken whole.
QString HistoryFolderOf(const QString& path);
