#pragma once

#include "app/buildwindow.h"
#include "controls/messagebox.h"

#include <QStringList>

class ScriptedMessageBox;

// Plays the main window for the build engine. Every call is recorded in one
// event list, in order, together with the message boxes shown through Boxes().
class FakeBuildWindow : public BuildWindow
{
public:
    explicit FakeBuildWindow(ScriptedMessageBox& boxes);

    void EnterBusyState() override;
    void LeaveBusyState() override;
    FieldValues TakeFieldValues() override;
    void StoreFieldValues(const FieldValues& values) override;
    void ShowFieldValues() override;
    FieldValues StoredFieldValues() const override;
    void SetProgressPosition(int percent) override;
    void SetPercentLabel(const QString& text) override;
    void SetWindowTitle(const QString& title) override;
    void EnableLog() override;

    // A presenter that records "box <caption>" in the events, then asks the script.
    MessageBoxPresenter& Boxes() { return m_presenter; }

    FieldValues controls; // what the fields show
    FieldValues stored;   // the window's stored values

    bool busy = false;
    bool logEnabled = false;
    int position = -1;
    QString label;
    QString title;
    QStringList events;
    QList<int> positions; // every progress position shown, in order

private:
    class Presenter : public MessageBoxPresenter
    {
    public:
        Presenter(FakeBuildWindow& window, ScriptedMessageBox& boxes);
        BoxAnswer Show(const MessageBoxRequest& request) override;

    private:
        FakeBuildWindow& m_window;
        ScriptedMessageBox& m_boxes;
    };
    Presenter m_presenter;
};
