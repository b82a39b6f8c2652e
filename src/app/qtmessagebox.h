#pragma once

#include "controls/messagebox.h"

#include <QMessageBox>
#include <QPointer>

class QWidget;

// Shows the engine's message boxes with QMessageBox. Boxes owned by the main
// window are modal over it once it is on screen; before that, and for
// application boxes, they have no parent, so they are centred on the screen.
class QtMessageBox : public MessageBoxPresenter
{
public:
    explicit QtMessageBox(QWidget* mainWindow = nullptr);

    void SetMainWindow(QWidget* mainWindow);

    BoxAnswer Show(const MessageBoxRequest& request) override;

    // Builds the box for a request without showing it.
    static void Configure(QMessageBox& box, const MessageBoxRequest& request);

private:
    QPointer<QWidget> m_mainWindow;
};
