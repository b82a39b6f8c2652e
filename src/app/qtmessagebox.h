#pragma once

#include "platform/messagebox.h"

#include <QMessageBox>
#include <QPointer>

class QWidget;

// Shows the engine's message boxes with QMessageBox. Boxes owned by the main
// window are modal over it; application boxes have no parent.
class QtMessageBox : public MessageBoxPresenter
{
public:
    explicit QtMessageBox(QWidget* mainWindow = nullptr);

    void SetMainWindow(QWidget* mainWindow);

    // Safe from any thread: a call from another thread blocks until the user
    // answered the box on the user-interface thread.
    int Show(const MessageBoxRequest& request) override;

    // Builds the box for a request without showing it.
    static void Configure(QMessageBox& box, const MessageBoxRequest& request);

private:
    int ShowHere(const MessageBoxRequest& request);

    QPointer<QWidget> m_mainWindow;
};
