#pragma once

#include <QString>

// Answers as the Windows message box returns them; callers compare with these.
constexpr int IdOk = 1;
constexpr int IdYes = 6;
constexpr int IdNo = 7;

enum class BoxKind
{
    Information,   // information icon, OK
    Error,         // error icon, OK
    WarningYesNo,  // warning icon, Yes and No
    QuestionYesNo, // question icon, Yes and No
    AppWarning,    // the plain application box: warning icon, OK
};

enum class BoxOwner
{
    MainWindow,
    Application,
};

struct MessageBoxRequest
{
    QString caption;
    QString text;
    BoxKind kind = BoxKind::Information;
    BoxOwner owner = BoxOwner::MainWindow;
};

// Shows a modal message box and returns IdOk, IdYes or IdNo. The engine only
// knows this interface, so it never needs a widget.
class MessageBoxPresenter
{
public:
    virtual ~MessageBoxPresenter() = default;
    virtual int Show(const MessageBoxRequest& request) = 0;
};

// Shows a box owned by the main window.
int ShowWindowBox(MessageBoxPresenter& presenter, const QString& caption, const QString& text,
                  BoxKind kind);

// Shows the plain application box: OK, warning icon, the application title as caption.
int ShowApplicationBox(MessageBoxPresenter& presenter, const QString& text);

// The executable's file name without extension, the caption of application boxes.
QString ApplicationTitle();
