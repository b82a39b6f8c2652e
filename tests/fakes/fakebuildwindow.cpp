#include "fakes/fakebuildwindow.h"

#include "support/scriptedmessagebox.h"

FakeBuildWindow::FakeBuildWindow(ScriptedMessageBox& boxes) : m_presenter(*this, boxes) {}

void FakeBuildWindow::EnterBusyState()
{
    busy = true;
    events << QStringLiteral("enter busy");
}

void FakeBuildWindow::LeaveBusyState()
{
    busy = false;
    events << QStringLiteral("leave busy");
}

FieldValues FakeBuildWindow::TakeFieldValues()
{
    stored = controls;
    events << QStringLiteral("take fields");
    return stored;
}

void FakeBuildWindow::StoreFieldValues(const FieldValues& values)
{
    stored = values;
}

void FakeBuildWindow::ShowFieldValues()
{
    controls = stored;
    events << QStringLiteral("show fields");
}

FieldValues FakeBuildWindow::StoredFieldValues() const
{
    return stored;
}

void FakeBuildWindow::SetProgressPosition(int percent)
{
    position = percent;
    positions << percent;
}

void FakeBuildWindow::SetPercentLabel(const QString& text)
{
    label = text;
}

void FakeBuildWindow::SetWindowTitle(const QString& text)
{
    title = text;
}

void FakeBuildWindow::EnableLog()
{
    logEnabled = true;
    events << QStringLiteral("enable log");
}

FakeBuildWindow::Presenter::Presenter(FakeBuildWindow& window, ScriptedMessageBox& boxes)
    : m_window(window), m_boxes(boxes)
{}

BoxAnswer FakeBuildWindow::Presenter::Show(const MessageBoxRequest& request)
{
    m_window.events << QStringLiteral("box ") + request.caption;
    return m_boxes.Show(request);
}
