#include "app/qtmessagebox.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QWidget>

namespace {

BoxAnswer AnswerFor(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return BoxAnswer::Yes;
    case QMessageBox::No:
        return BoxAnswer::No;
    default:
        return BoxAnswer::Ok;
    }
}

// The kind's first button stays the answer to Enter and its last to Escape;
// with a second button beside OK, Qt would leave Escape without one.
void AddExtraButton(QMessageBox& box, const QString& text)
{
    const QList<QAbstractButton*> own = box.buttons();
    box.addButton(text, QMessageBox::ActionRole);
    if (own.isEmpty())
        return;
    box.setDefaultButton(qobject_cast<QPushButton*>(own.first()));
    box.setEscapeButton(own.last());
}

} // namespace

QtMessageBox::QtMessageBox(QWidget* mainWindow) : m_mainWindow(mainWindow) {}

void QtMessageBox::SetMainWindow(QWidget* mainWindow)
{
    m_mainWindow = mainWindow;
}

void QtMessageBox::Configure(QMessageBox& box, const MessageBoxRequest& request)
{
    box.setWindowTitle(request.caption);
    box.setText(request.text);
    box.setTextFormat(Qt::PlainText);
    switch (request.kind) {
    case BoxKind::Information:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case BoxKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case BoxKind::WarningYesNo:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case BoxKind::QuestionYesNo:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case BoxKind::AppWarning:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    if (!request.extraButton.isEmpty())
        AddExtraButton(box, request.extraButton);
}

BoxAnswer QtMessageBox::Show(const MessageBoxRequest& request)
{
    // A hidden window still sits at the screen's corner; a box centred on it
    // would too.
    QWidget* window = m_mainWindow.data();
    const bool onScreen = window != nullptr && window->isVisible();
    QWidget* parent = request.owner == BoxOwner::MainWindow && onScreen ? window : nullptr;
    QMessageBox box(parent);
    Configure(box, request);
    const int button = box.exec();
    if (box.clickedButton() != nullptr &&
        box.buttonRole(box.clickedButton()) == QMessageBox::ActionRole)
        return BoxAnswer::Extra;
    return AnswerFor(button);
}
