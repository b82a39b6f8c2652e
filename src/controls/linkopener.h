#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

class MessageBoxPresenter;
class QObject;

// A result above this means the address was opened, as the shell reports it.
constexpr int OpenLinkSuccessAbove = 32;
constexpr int OpenLinkSucceeded = 33;

// Failure codes in the shell's numbering, which the error texts are keyed by.
namespace OpenLinkCode {
constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int AccessDenied = 5;
constexpr int BadExecutable = 11;
constexpr int NoAssociation = 31;
} // namespace OpenLinkCode

// What opening an address came to.
struct LinkOpenResult
{
    int code = OpenLinkSucceeded; // above OpenLinkSuccessAbove when opened
    QString detail;               // the opener's own words on a failure, if any

    [[nodiscard]] bool Opened() const { return code > OpenLinkSuccessAbove; }
};

// Called once with the result; never after its context object is gone.
using LinkOpenDone = std::function<void(const LinkOpenResult&)>;

// How the program hands an address to the desktop. Tests install their own,
// so that no browser starts and every path can be driven.
class LinkOpener
{
public:
    // An opener still running after `patience` has found a handler that runs
    // in the foreground (a browser started by a bare desktop): that counts as opened.
    static constexpr std::chrono::milliseconds DefaultPatience{5000};

    explicit LinkOpener(QString program = QStringLiteral("xdg-open"),
                        std::chrono::milliseconds patience = DefaultPatience);
    virtual ~LinkOpener() = default;

    // The desktop's "open" for an address. A started opener is no success: its
    // exit status is awaited without blocking, and `done` gets the verdict.
    virtual void OpenWithDesktop(const QString& address, QObject* context, LinkOpenDone done);

    // The Exec line of the default web browser's desktop entry; empty when
    // none is registered.
    virtual QString BrowserCommand();

    // Starts a program without a shell and does not wait for it.
    virtual bool Start(const QString& program, const QStringList& arguments);

private:
    QString m_program;
    std::chrono::milliseconds m_patience;
};

// The opener in use; the desktop's unless a test installed another.
LinkOpener& CurrentLinkOpener();

// Installs an opener (not owned); nullptr restores the desktop's.
void SetLinkOpener(LinkOpener* opener);

// Opens an address: the desktop first, then the default browser's command.
// `done` gets a code above OpenLinkSuccessAbove on success, else an
// OpenLinkCode; it is dropped when `context` is destroyed first.
void OpenLinkWith(LinkOpener& opener, const QString& address, QObject* context, LinkOpenDone done);

// Opens an address and explains a failure in the application box, as a link
// does; nothing is shown once `context` is gone.
void OpenLinkOrExplain(LinkOpener& opener, const QString& address, QObject* context,
                       MessageBoxPresenter& presenter);

// The message shown when an address could not be opened; the opener's own
// words, when it gave any, follow the reason.
QString OpenLinkErrorText(int code, const QString& detail = {});

// A failed open: the warning sound, then the error text in the application box.
void ReportOpenFailure(MessageBoxPresenter& presenter, const LinkOpenResult& result);

// The code for an exit status of the desktop opener (xdg-open's numbering).
[[nodiscard]] int OpenLinkCodeOfOpenerExit(int exitCode);

// A handler command cut at its first field code for the address (%u, %U,
// %f, %F, quoted forms first), so the address can be appended once.
QString CutHandlerCommand(const QString& command);

// Splits an Exec command line into program and arguments, following the
// desktop entry quoting rules; leftover field codes are dropped.
QStringList SplitExecLine(const QString& command);

// The Exec value of the [Desktop Entry] group of a .desktop file's text,
// with the file's string escapes resolved; empty when there is none.
QString ExecLineOfDesktopEntry(const QString& fileText);
