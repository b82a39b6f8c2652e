#pragma once

#include "controls/linkopenresult.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

class MessageBoxPresenter;
class QObject;

// How the program hands an address to the desktop. Tests install their own,
// so that no browser starts and every path can be driven.
class LinkOpener
{
public:
    // An opener still running after `patience` has found a handler that runs
    // in the foreground (a browser started by a bare desktop): that counts as opened.
    static constexpr std::chrono::milliseconds DefaultPatience{5000};
    // A desktop query still running after this counts as no answer, and is ended.
    static constexpr std::chrono::milliseconds QueryBound{5000};

    explicit LinkOpener(QString program = QStringLiteral("xdg-open"),
                        std::chrono::milliseconds patience = DefaultPatience);
    virtual ~LinkOpener() = default;

    // The desktop's "open" for an address. A started opener is no success: its
    // exit status is awaited without blocking, and `done` gets the verdict.
    // Before a failure is given, the desktop is asked for its default web
    // browser, also without blocking, for BrowserCommand().
    virtual void OpenWithDesktop(const QString& address, QObject* context, LinkOpenDone done);

    // The Exec line of the desktop entry of the default web browser, as the
    // desktop named it when it last failed; empty when none is registered.
    virtual QString BrowserCommand();

    // Starts a program without a shell and does not wait for it.
    virtual bool Start(const QString& program, const QStringList& arguments);

private:
    void FindBrowser(QObject* context, std::function<void()> found);

    QString m_program;
    std::chrono::milliseconds m_patience;
    QString m_browserEntry;
};

// The opener in use; the desktop's unless a test installed another.
LinkOpener& CurrentLinkOpener();

// Installs an opener (not owned); nullptr restores the desktop's.
void SetLinkOpener(LinkOpener* opener);

// Opens an address: the desktop first, then the default browser's command.
// `done` gets the result; it is dropped when `context` is destroyed first.
void OpenLinkWith(LinkOpener& opener, const QString& address, QObject* context, LinkOpenDone done);

// Opens an address and explains a failure in the application box, as a link
// does; nothing is shown once `context` is gone.
void OpenLinkOrExplain(LinkOpener& opener, const QString& address, QObject* context,
                       MessageBoxPresenter& presenter);

// The message shown when an address could not be opened; the opener's own
// words, when it gave any, follow the reason.
QString OpenLinkErrorText(OpenLinkCode code, const QString& detail = {});

// A failed open: the warning sound, then the error text in the application box.
void ReportOpenFailure(MessageBoxPresenter& presenter, const LinkOpenResult& result);

// A handler command cut at its first field code for the address (%u, %U,
// %f, %F, quoted forms first), so the address can be appended once.
QString CutHandlerCommand(const QString& command);

// Splits an Exec command line into program and arguments, following the
// desktop entry quoting rules; leftover field codes are dropped.
QStringList SplitExecLine(const QString& command);

// The Exec value of the [Desktop Entry] group of a .desktop file's text,
// with the file's string escapes resolved; empty when there is none.
QString ExecLineOfDesktopEntry(const QString& fileText);
