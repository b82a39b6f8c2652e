#include "controls/linkopener.h"

#include "controls/messagebox.h"
#include "controls/openerprocess.h"
#include "platform/childrun.h"
#include "platform/detachedprocess.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <array>
#include <optional>

namespace {

LinkOpener* g_opener = nullptr;

// The package that brings xdg-open, named when it is missing.
constexpr char OpenerPackage[] = "xdg-utils";

// Where the desktop names its default web browser, asked in turn: its setting,
// then the handlers of web addresses and of pages.
const std::array<QStringList, 3>& BrowserQueries()
{
    static const std::array<QStringList, 3> queries = {
        QStringList{QStringLiteral("xdg-settings"), QStringLiteral("get"),
                    QStringLiteral("default-web-browser")},
        QStringList{QStringLiteral("xdg-mime"), QStringLiteral("query"), QStringLiteral("default"),
                    QStringLiteral("x-scheme-handler/http")},
        QStringList{QStringLiteral("xdg-mime"), QStringLiteral("query"), QStringLiteral("default"),
                    QStringLiteral("text/html")},
    };
    return queries;
}

// Runs the queries from `next` on until one names an entry; `answered` gets
// it, or nothing when none did.
void AskForBrowser(std::size_t next, QObject* context,
                   const std::function<void(const QString&)>& answered)
{
    if (next >= BrowserQueries().size()) {
        answered({});
        return;
    }
    ChildRunSpec query;
    query.program = BrowserQueries().at(next).first();
    query.arguments = BrowserQueries().at(next).mid(1);
    query.kept = ChildOutput::OutputOnly;
    query.bound = LinkOpener::QueryBound;
    RunChild(query, context, [next, context, answered](const ChildRunResult& run) {
        const QString entry =
            run.Succeeded()
                ? QString::fromLocal8Bit(run.output).section(QLatin1Char('\n'), 0, 0).trimmed()
                : QString();
        if (entry.isEmpty())
            AskForBrowser(next + 1, context, answered);
        else
            answered(entry);
    });
}

QString LocateDesktopEntry(const QString& entry)
{
    QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
    // Entry ids name subfolders with dashes: "kde4-app.desktop" is kde4/app.desktop.
    if (path.isEmpty() && entry.contains(QLatin1Char('-'))) {
        QString nested = entry;
        nested[nested.indexOf(QLatin1Char('-'))] = QLatin1Char('/');
        path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, nested);
    }
    return path;
}

// What the shell would have answered for an address it could not open: a
// missing local file is named as such, whatever the opener said.
OpenLinkCode DesktopFailureCode(const QString& address, OpenLinkCode openerCode)
{
    const QUrl url = QUrl::fromUserInput(address, QDir::currentPath());
    if (!url.isLocalFile())
        return openerCode;
    const QFileInfo file(url.toLocalFile());
    if (file.exists())
        return openerCode;
    return file.dir().exists() ? OpenLinkCode::FileNotFound : OpenLinkCode::PathNotFound;
}

// Finds the program of a command as the start would, or gives the failure.
std::optional<OpenLinkCode> ResolveProgram(const QString& program, QString& resolved)
{
    if (!program.contains(QLatin1Char('/'))) {
        resolved = QStandardPaths::findExecutable(program);
        if (resolved.isEmpty())
            return OpenLinkCode::FileNotFound;
        return std::nullopt;
    }
    const QFileInfo file(program);
    if (!file.exists())
        return file.dir().exists() ? OpenLinkCode::FileNotFound : OpenLinkCode::PathNotFound;
    if (!file.isExecutable() || file.isDir())
        return OpenLinkCode::AccessDenied;
    resolved = program;
    return std::nullopt;
}

bool IsFieldCode(const QString& argument)
{
    static const QString codes = QStringLiteral("fFuUdDnNickvm");
    return argument.size() == 2 && argument[0] == QLatin1Char('%') && codes.contains(argument[1]);
}

// A desktop entry string value with its escapes (\\s, \\t, \\n, \\r, \\\\)
// resolved; other backslashes stay for the Exec quoting rules.
QString UnescapeEntryValue(const QString& raw)
{
    static const QString codes = QStringLiteral("stnr\\");
    static const QString values = QStringLiteral(" \t\n\r\\");
    QString value;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const qsizetype code = i + 1 < raw.size() ? codes.indexOf(raw[i + 1]) : -1;
        if (raw[i] == QLatin1Char('\\') && code >= 0) {
            value += values[code];
            ++i;
        } else {
            value += raw[i];
        }
    }
    return value;
}

QString ResolvePercentEscapes(const QString& argument)
{
    QString result = argument;
    return result.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

// After the desktop failed: the default browser's command, else the desktop's failure.
LinkOpenResult OpenWithBrowser(LinkOpener& opener, const QString& address,
                               const LinkOpenResult& desktop)
{
    QStringList arguments = SplitExecLine(CutHandlerCommand(opener.BrowserCommand()));
    if (arguments.isEmpty())
        return {DesktopFailureCode(address, desktop.failure.value_or(OpenLinkCode::NoAssociation)),
                desktop.detail};
    QString program;
    if (const auto failure = ResolveProgram(arguments.takeFirst(), program))
        return {failure, {}};
    // The address is one argument whatever it contains; no shell sees it.
    arguments.append(address);
    if (opener.Start(program, arguments))
        return {};
    return {OpenLinkCode::BadExecutable, {}};
}

} // namespace

LinkOpener::LinkOpener(QString program, std::chrono::milliseconds patience)
    : m_program(std::move(program)), m_patience(patience)
{}

void LinkOpener::OpenWithDesktop(const QString& address, QObject* context, LinkOpenDone done)
{
    const QUrl url = QUrl::fromUserInput(address, QDir::currentPath());
    const QString target = url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded);
    RunOpenerProcess(m_program, target, context, m_patience,
                     [this, context, done = std::move(done)](const LinkOpenResult& result) {
                         if (!done)
                             return;
                         if (result.Opened())
                             done(result);
                         else
                             FindBrowser(context, [done, result] { done(result); });
                     });
}

void LinkOpener::FindBrowser(QObject* context, std::function<void()> found)
{
    AskForBrowser(0, context, [this, found = std::move(found)](const QString& entry) {
        m_browserEntry = entry;
        found();
    });
}

QString LinkOpener::BrowserCommand()
{
    if (m_browserEntry.isEmpty())
        return {};
    QFile file(LocateDesktopEntry(m_browserEntry));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ExecLineOfDesktopEntry(QString::fromUtf8(file.readAll()));
}

bool LinkOpener::Start(const QString& program, const QStringList& arguments)
{
    return StartDetached(program, arguments) == 0;
}

LinkOpener& CurrentLinkOpener()
{
    static LinkOpener desktop;
    return g_opener != nullptr ? *g_opener : desktop;
}

void SetLinkOpener(LinkOpener* opener)
{
    g_opener = opener;
}

void OpenLinkWith(LinkOpener& opener, const QString& address, QObject* context, LinkOpenDone done)
{
    opener.OpenWithDesktop(
        address, context,
        [&opener, address, done = std::move(done)](const LinkOpenResult& desktop) {
            done(desktop.Opened() ? desktop : OpenWithBrowser(opener, address, desktop));
        });
}

void OpenLinkOrExplain(LinkOpener& opener, const QString& address, QObject* context,
                       MessageBoxPresenter& presenter)
{
    OpenLinkWith(opener, address, context, [&presenter](const LinkOpenResult& result) {
        if (!result.Opened())
            ReportOpenFailure(presenter, result);
    });
}

QString OpenLinkErrorText(OpenLinkCode code, const QString& detail)
{
    const char* reason = nullptr;
    switch (code) {
    case OpenLinkCode::FileNotFound:
        reason = QT_TRANSLATE_NOOP("LinkOpener", "The specified file was not found.");
        break;
    case OpenLinkCode::PathNotFound:
        reason = QT_TRANSLATE_NOOP("LinkOpener", "The specified path was not found.");
        break;
    case OpenLinkCode::AccessDenied:
        reason = QT_TRANSLATE_NOOP("LinkOpener",
                                   "The operating system denied\naccess to the specified file.");
        break;
    case OpenLinkCode::BadExecutable:
        reason = QT_TRANSLATE_NOOP(
            "LinkOpener", "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
        break;
    case OpenLinkCode::NoAssociation:
        reason = QT_TRANSLATE_NOOP(
            "LinkOpener", "There is no application associated\nwith the given filename extension.");
        break;
    case OpenLinkCode::NoOpener:
        reason = QT_TRANSLATE_NOOP("LinkOpener",
                                   "No program to open links was found.\nInstall the package %1.");
        break;
    }
    QString why = QCoreApplication::translate("LinkOpener", reason);
    if (code == OpenLinkCode::NoOpener)
        why = why.arg(QLatin1String(OpenerPackage));
    const QString text =
        QCoreApplication::translate("LinkOpener", "Unable to open hyperlink:\n\n") + why;
    return detail.isEmpty() ? text : text + QStringLiteral("\n\n") + detail;
}

QString CutHandlerCommand(const QString& command)
{
    static const std::array<QString, 4> codes = {QStringLiteral("%u"), QStringLiteral("%U"),
                                                 QStringLiteral("%f"), QStringLiteral("%F")};
    for (const QString& quote : {QStringLiteral("\""), QString()}) {
        qsizetype first = -1;
        for (const QString& code : codes) {
            const qsizetype at = command.indexOf(quote + code + quote);
            if (at >= 0 && (first < 0 || at < first))
                first = at;
        }
        if (first >= 0)
            return command.left(first);
    }
    return command;
}

QStringList SplitExecLine(const QString& command)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < command.size(); ++i) {
        const QChar c = command[i];
        if (quoted && c == QLatin1Char('\\') && i + 1 < command.size()) {
            current += command[++i];
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inArgument = true;
        } else if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (inArgument && !IsFieldCode(current))
                arguments.append(ResolvePercentEscapes(current));
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument && !IsFieldCode(current))
        arguments.append(ResolvePercentEscapes(current));
    return arguments;
}

QString ExecLineOfDesktopEntry(const QString& fileText)
{
    bool inEntry = false;
    for (const QString& rawLine : fileText.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntry || !line.startsWith(QLatin1String("Exec")))
            continue;
        const QString rest = line.mid(4).trimmed();
        if (rest.startsWith(QLatin1Char('=')))
            return UnescapeEntryValue(rest.mid(1).trimmed());
    }
    return {};
}

void ReportOpenFailure(MessageBoxPresenter& presenter, const LinkOpenResult& result)
{
    QApplication::beep();
    ShowApplicationBox(
        presenter,
        OpenLinkErrorText(result.failure.value_or(OpenLinkCode::NoAssociation), result.detail));
}
