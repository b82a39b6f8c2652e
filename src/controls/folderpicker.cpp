#include "controls/folderpicker.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

AnswerQueue<QFileDialog>& Answers()
{
    static AnswerQueue<QFileDialog> answers;
    return answers;
}

std::optional<QString> RunChooser(QFileDialog& chooser)
{
    if (!Answers().IsEmpty())
        return Answers().Take()(chooser);
    if (chooser.exec() != QDialog::Accepted)
        return std::nullopt;
    return chooser.selectedFiles().value(0);
}

} // namespace

int FolderPicker::Browse(const QString& title, const QString& initialFolder, int /*flags*/,
                         QWidget* owner)
{
    QFileDialog chooser(owner, title);
    chooser.setFileMode(QFileDialog::Directory);
    chooser.setOption(QFileDialog::ShowDirsOnly);
    if (!initialFolder.isEmpty() && QFileInfo(initialFolder).isDir())
        chooser.setDirectory(initialFolder);
    const std::optional<QString> chosen = RunChooser(chooser);
    if (!chosen || chosen->isEmpty() || !QFileInfo(*chosen).isDir())
        return ResultCancel;
    m_path = *chosen;
    return ResultOk;
}

void FolderPicker::SetNextAnswer(Answer answer)
{
    Answers().Push(std::move(answer));
}

void FolderPicker::SetNextAnswer(const QString& path)
{
    SetNextAnswer([path](QFileDialog&) { return std::optional<QString>(path); });
}

void FolderPicker::SetNextCancel()
{
    SetNextAnswer([](QFileDialog&) { return std::optional<QString>(); });
}

void FolderPicker::ClearAnswers()
{
    Answers().Clear();
}

QString DefaultBrowseFolder()
{
    return QDir::homePath();
}
