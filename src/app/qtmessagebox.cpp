#include "app/qtmessagebox.h"

#include <QApplication>
#include <QThread>

namespace {

int AnswerFor(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return IdYes;
    case QMessageBox::No:
        return IdNo;
    default:
        return IdOk;
    }
}

} // namespace

QtMessageBox::QtMessageBox(QWidget* mainWindow) : m_mainWindow(mainWindow) {}

void QtMessageBox::SetMainWindow(QWidget* mainWindow)
{
    m_mainWindow = mainWindow;
}

int QtMessageBox::Show(const MessageBoxRequest& request)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread())
        return ShowHere(request);
    int answer = IdOk;
    QMetaObject::invokeMethod(
        app, [this, &request, &answer] { answer = ShowHere(request); },
        Qt::BlockingQueuedConnection);
    return answer;
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
}

int QtMessageBox::ShowHere(const MessageBoxRequest& request)
{
    QWidget* parent = request.owner == BoxOwner::MainWindow ? m_mainWindow.data() : nullptr;
    QMessageBox box(parent);
    Configure(box, request);
    return AnswerFor(box.exec());
}
