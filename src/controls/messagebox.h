#pragma once

#include <QString>

#include <utility>

// The button that closed a box.
enum class BoxAnswer
{
    Ok,
    Yes,
    No,
    Extra, // the request's extra button
};

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
    // Not an aggregate: the boxes without an extra button stay written as
    // {caption, text, kind, owner}.
    MessageBoxRequest(QString caption = {}, QString text = {}, BoxKind kind = BoxKind::Information,
                      BoxOwner owner = BoxOwner::MainWindow, QString extraButton = {})
        : caption(std::move(caption)), text(std::move(text)), kind(kind), owner(owner),
          extraButton(std::move(extraButton))
    {}

    QString caption;
    QString text;
    BoxKind kind = BoxKind::Information;
    BoxOwner owner = BoxOwner::MainWindow;
    // An action offered beside the kind's buttons; none when empty. Enter and
    // Escape still give the kind's own answer.
    QString extraButton;
};

// Shows a modal message box and returns the button that closed it. The
// window's code knows only this interface, so its tests script the answers.
class MessageBoxPresenter
{
public:
    virtual ~MessageBoxPresenter() = default;
    virtual BoxAnswer Show(const MessageBoxRequest& request) = 0;
};

// Shows a box owned by the main window.
BoxAnswer ShowWindowBox(MessageBoxPresenter& presenter, const QString& caption, const QString& text,
                        BoxKind kind, const QString& extraButton = {});

// Shows the plain application box: OK, warning icon, the application title as caption.
BoxAnswer ShowApplicationBox(MessageBoxPresenter& presenter, const QString& text);

// The executable's file name without extension, the caption of application boxes.
QString ApplicationTitle();
