#pragma once

#include <QString>
#include <QStringList>

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

// How the program hands an address to the desktop. Tests install their own,
// so that no browser starts and every path can be driven.
class LinkOpener
{
public:
    virtual ~LinkOpener() = default;

    // The desktop's "open" for an address; false when it could not.
    virtual bool OpenWithDesktop(const QString& address);

    // The Exec line of the default web browser's desktop entry; empty when
    // none is registered.
    virtual QString BrowserCommand();

    // Starts a program without a shell and does not wait for it.
    virtual bool Start(const QString& program, const QStringList& arguments);
};

// The opener in use; the desktop's unless a test installed another.
LinkOpener& CurrentLinkOpener();

// Installs an opener (not owned); nullptr restores the desktop's.
void SetLinkOpener(LinkOpener* opener);

// Opens an address: the desktop first, then the default browser's command.
// Returns a code above OpenLinkSuccessAbove on success, else an OpenLinkCode.
int OpenLinkWith(LinkOpener& opener, const QString& address);

// The message shown when an address could not be opened.
QString OpenLinkErrorText(int code);

// A handler command cut at its first field code for the address (%u, %U,
// %f, %F, quoted forms first), so the address can be appended once.
QString CutHandlerCommand(const QString& command);

// Splits an Exec command line into program and arguments, following the
// desktop entry quoting rules; leftover field codes are dropped.
QStringList SplitExecLine(const QString& command);

// The Exec value of the [Desktop Entry] group of a .desktop file's text,
// with the file's string escapes resolved; empty when there is none.
QString ExecLineOfDesktopEntry(const QString& fileText);
