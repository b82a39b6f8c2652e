#include "controls/linkopener.h"

#include "controls/openerprocess.h"
#include "platform/messagebox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <array>
#include <map>

namespace {

LinkOpener* g_opener = nullptr;

// Runs a desktop query tool and returns its first output line.
QString QueryLine(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(5000) || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput())
        .section(QLatin1Char('\n'), 0, 0)
        .trimmed();
}

QString DefaultBrowserEntry()
{
    QString entry = QueryLine(QStringLiteral("xdg-settings"),
                              {QStringLiteral("get"), QStringLiteral("default-web-browser")});
    for (const char* type : {"x-scheme-handler/http", "text/html"}) {
        if (!entry.isEmpty())
            break;
        entry =
            QueryLine(QStringLiteral("xdg-mime"),
                      {QStringLiteral("query"), QStringLiteral("default"), QLatin1String(type)});
    }
    return entry;
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
int DesktopFailureCode(const QString& address, int openerCode)
{
    const QUrl url = QUrl::fromUserInput(address, QDir::currentPath());
    if (!url.isLocalFile())
        return openerCode;
    const QFileInfo file(url.toLocalFile());
    if (file.exists())
        return openerCode;
    return file.dir().exists() ? OpenLinkCode::FileNotFound : OpenLinkCode::PathNotFound;
}

// Finds the program of a command as the start would, or gives the failure code.
int ResolveProgram(const QString& program, QString& resolved)
{
    if (!program.contains(QLatin1Char('/'))) {
        resolved = QStandardPaths::findExecutable(program);
        return resolved.isEmpty() ? OpenLinkCode::FileNotFound : 0;
    }
    const QFileInfo file(program);
    if (!file.exists())
        return file.dir().exists() ? OpenLinkCode::FileNotFound : OpenLinkCode::PathNotFound;
    if (!file.isExecutable() || file.isDir())
        return OpenLinkCode::AccessDenied;
    resolved = program;
    return 0;
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
        return {DesktopFailureCode(address, desktop.code), desktop.detail};
    QString program;
    if (const int failure = ResolveProgram(arguments.takeFirst(), program); failure != 0)
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
    RunOpenerProcess(m_program, target, context, m_patience, std::move(done));
}

QString LinkOpener::BrowserCommand()
{
    const QString entry = DefaultBrowserEntry();
    if (entry.isEmpty())
        return {};
    QFile file(LocateDesktopEntry(entry));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ExecLineOfDesktopEntry(QString::fromUtf8(file.readAll()));
}

bool LinkOpener::Start(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
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

int OpenLinkCodeOfOpenerExit(int exitCode)
{
    // xdg-open: 2 a file that does not exist, 5 one that cannot be read; 1, 3
    // and 4 (bad call, no method, the handler failed) all leave the address
    // without a program that opened it.
    switch (exitCode) {
    case 2:
        return OpenLinkCode::FileNotFound;
    case 5:
        return OpenLinkCode::AccessDenied;
    default:
        return OpenLinkCode::NoAssociation;
    }
}

QString OpenLinkErrorText(int code, const QString& detail)
{
    static const std::map<int, const char*> reasons = {
        {0,
         QT_TRANSLATE_NOOP("LinkOpener", "The operating system is out\nof memory or resources.")},
        {2, QT_TRANSLATE_NOOP("LinkOpener", "The specified file was not found.")},
        {3, QT_TRANSLATE_NOOP("LinkOpener", "The specified path was not found.")},
        {5, QT_TRANSLATE_NOOP("LinkOpener",
                              "The operating system denied\naccess to the specified file.")},
        {8,
         QT_TRANSLATE_NOOP("LinkOpener", "There was not enough memory to complete the operation.")},
        {11,
         QT_TRANSLATE_NOOP("LinkOpener",
                           "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).")},
        {26, QT_TRANSLATE_NOOP("LinkOpener", "A sharing violation occurred. ")},
        {27,
         QT_TRANSLATE_NOOP("LinkOpener", "The filename association is\nincomplete or invalid.")},
        {28, QT_TRANSLATE_NOOP(
                 "LinkOpener",
                 "The DDE transaction could not\nbe completed because the request timed out.")},
        {29, QT_TRANSLATE_NOOP("LinkOpener", "The DDE transaction failed.")},
        {30, QT_TRANSLATE_NOOP(
                 "LinkOpener",
                 "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
                 "being processed.")},
        {31, QT_TRANSLATE_NOOP(
                 "LinkOpener",
                 "There is no application associated\nwith the given filename extension.")},
        {32, QT_TRANSLATE_NOOP("LinkOpener", "The specified dynamic-link library was not found.")},
    };
    const auto known = reasons.find(code);
    const QString reason =
        known != reasons.end()
            ? QCoreApplication::translate("LinkOpener", known->second)
            : QCoreApplication::translate("LinkOpener", "Unknown Error (%1) occurred.").arg(code);
    const QString text =
        QCoreApplication::translate("LinkOpener", "Unable to open hyperlink:\n\n") + reason;
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
    ShowApplicationBox(presenter, OpenLinkErrorText(result.code, result.detail));
}
