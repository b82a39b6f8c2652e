#include "controls/linkopener.h"
#include "qtprinters.h"
#include "support/eventloop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <optional>

using namespace std::chrono_literals;

namespace {

// Opens and runs the event loop until the result arrives.
LinkOpenResult OpenAndWait(LinkOpener& opener, const QString& address, int timeoutMs = 10000)
{
    QObject context;
    std::optional<LinkOpenResult> result;
    OpenLinkWith(opener, address, &context, [&result](const LinkOpenResult& r) { result = r; });
    EXPECT_TRUE(RunUntil([&result] { return result.has_value(); }, timeoutMs));
    return result.value_or(LinkOpenResult{OpenLinkCode::NoAssociation, "no result"});
}

TEST(CutHandlerCommand, CutsAtTheFirstFieldCodePreferringTheQuotedForm)
{
    EXPECT_EQ(CutHandlerCommand("firefox-esr %u"), "firefox-esr ");
    EXPECT_EQ(CutHandlerCommand("\"/opt/my browser/run\" \"%U\" --new-tab"),
              "\"/opt/my browser/run\" ");
    EXPECT_EQ(CutHandlerCommand("viewer --files %F --urls %u"), "viewer --files ");
    EXPECT_EQ(CutHandlerCommand("browse %f \"%u\""), "browse %f ")
        << "a quoted code wins even when a bare one comes first";
    EXPECT_EQ(CutHandlerCommand("plain-browser --private"), "plain-browser --private");
    EXPECT_EQ(CutHandlerCommand("b %x"), "b %x") << "only the address codes cut";
}

TEST(SplitExecLine, FollowsTheDesktopEntryQuotingRules)
{
    EXPECT_EQ(SplitExecLine("firefox-esr "), QStringList{"firefox-esr"});
    EXPECT_EQ(SplitExecLine("\"/opt/my browser/run\"  --flag"),
              (QStringList{"/opt/my browser/run", "--flag"}));
    EXPECT_EQ(SplitExecLine(R"(run "say \"hi\" \\ \$HOME" 100%%)"),
              (QStringList{"run", R"(say "hi" \ $HOME)", "100%"}));
    EXPECT_EQ(SplitExecLine("browser %i --x %c"), (QStringList{"browser", "--x"}))
        << "other field codes expand to nothing here";
    EXPECT_EQ(SplitExecLine("a \"\" b"), (QStringList{"a", "", "b"}));
    EXPECT_TRUE(SplitExecLine("   ").isEmpty());
}

TEST(ExecLineOfDesktopEntry, ReadsTheMainGroupsExecWithStringEscapes)
{
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Name=Browser\n"
                                         "TryExec=nothing\n"
                                         "Exec[de]=localised %u\n"
                                         "Exec = \"/opt/b\\sb/run\" --x \"a\\\\\\\\b\" %u\n"
                                         "[Desktop Action new]\n"
                                         "Exec=other\n");
    EXPECT_EQ(ExecLineOfDesktopEntry(entry), "\"/opt/b b/run\" --x \"a\\\\b\" %u");
    EXPECT_TRUE(ExecLineOfDesktopEntry("[Desktop Action new]\nExec=other\n").isEmpty());
}

TEST(OpenLinkErrorText, NamesTheReason)
{
    EXPECT_EQ(OpenLinkErrorText(OpenLinkCode::NoAssociation),
              "Unable to open hyperlink:\n\nThere is no application "
              "associated\nwith the given filename extension.");
    EXPECT_EQ(OpenLinkErrorText(OpenLinkCode::FileNotFound),
              "Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_EQ(OpenLinkErrorText(OpenLinkCode::PathNotFound),
              "Unable to open hyperlink:\n\nThe specified path was not found.");
    EXPECT_EQ(OpenLinkErrorText(OpenLinkCode::AccessDenied),
              "Unable to open hyperlink:\n\nThe operating system denied\naccess to the "
              "specified file.");
    EXPECT_EQ(OpenLinkErrorText(OpenLinkCode::BadExecutable),
              "Unable to open hyperlink:\n\nThe .EXE file is invalid\n(non-Win32 .EXE or error "
              "in .EXE image).");
    EXPECT_EQ(OpenLinkErrorText(OpenLinkCode::NoOpener),
              "Unable to open hyperlink:\n\nNo program to open links was found.\nInstall the "
              "package xdg-utils.");
    EXPECT_EQ(OpenLinkErrorText(OpenLinkCode::NoAssociation, "xdg-open: no method available"),
              OpenLinkErrorText(OpenLinkCode::NoAssociation) + "\n\nxdg-open: no method available");
}

// Drives every step of opening without a desktop or a browser.
class ScriptedOpener : public LinkOpener
{
public:
    void OpenWithDesktop(const QString& address, QObject* /*context*/, LinkOpenDone done) override
    {
        desktopAsked.append(address);
        done(desktopOpens ? LinkOpenResult{} : LinkOpenResult{OpenLinkCode::NoAssociation, {}});
    }
    QString BrowserCommand() override { return browser; }
    bool Start(const QString& program, const QStringList& arguments) override
    {
        started.append(QStringList{program} + arguments);
        return startWorks;
    }

    bool desktopOpens = false;
    QString browser;
    bool startWorks = true;
    QStringList desktopAsked;
    QList<QStringList> started;
};

TEST(OpenLink, TheDesktopComesFirst)
{
    ScriptedOpener opener;
    opener.desktopOpens = true;
    opener.browser = "env %u";
    EXPECT_TRUE(OpenAndWait(opener, "https://example.org/").Opened());
    EXPECT_EQ(opener.desktopAsked, QStringList{"https://example.org/"});
    EXPECT_TRUE(opener.started.isEmpty());
}

TEST(OpenLink, FallsBackOnTheBrowserCommandWithTheAddressAsOneArgument)
{
    ScriptedOpener opener;
    opener.browser = "env --unset=X \"%u\" --ignored";
    const QString address = "https://example.org/a b?q=\"x\";rm -rf ~";
    EXPECT_TRUE(OpenAndWait(opener, address).Opened());
    ASSERT_EQ(opener.started.size(), 1);
    const QStringList& command = opener.started[0];
    EXPECT_TRUE(command[0].endsWith("/env")) << command[0].toStdString();
    EXPECT_EQ(command.mid(1), (QStringList{"--unset=X", address}));
}

TEST(OpenLink, MapsEachFailureToTheShellsCode)
{
    ScriptedOpener opener;
    EXPECT_EQ(OpenAndWait(opener, "https://example.org/").failure, OpenLinkCode::NoAssociation);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_EQ(OpenAndWait(opener, folder.filePath("missing.html")).failure,
              OpenLinkCode::FileNotFound);
    EXPECT_EQ(OpenAndWait(opener, folder.filePath("gone/missing.html")).failure,
              OpenLinkCode::PathNotFound);

    opener.browser = "no-such-browser-here %u";
    EXPECT_EQ(OpenAndWait(opener, "https://example.org/").failure, OpenLinkCode::FileNotFound);
    opener.browser = folder.filePath("gone/browser") + " %u";
    EXPECT_EQ(OpenAndWait(opener, "https://example.org/").failure, OpenLinkCode::PathNotFound);
    opener.browser = folder.path() + " %u";
    EXPECT_EQ(OpenAndWait(opener, "https://example.org/").failure, OpenLinkCode::AccessDenied);
    opener.browser = "env %u";
    opener.startWorks = false;
    EXPECT_EQ(OpenAndWait(opener, "https://example.org/").failure, OpenLinkCode::BadExecutable);
}

// A stand-in for xdg-open: a script that exits with the given status after
// printing to standard error, or sleeps, as the real one does on each path.
class FakeOpener
{
public:
    explicit FakeOpener(const QByteArray& body)
    {
        EXPECT_TRUE(m_dir.isValid());
        QFile script(Path());
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$(dirname \"$0\")/asked\"\n" + body);
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString Path() const { return m_dir.filePath("xdg-open"); }
    QByteArray Asked() const
    {
        QFile asked(m_dir.filePath("asked"));
        return asked.open(QIODevice::ReadOnly) ? asked.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};

// The real opener with no browser fallback, so the desktop opener's verdict decides.
class NoBrowserOpener : public LinkOpener
{
public:
    using LinkOpener::LinkOpener;
    QString BrowserCommand() override { return {}; }
};

TEST(DesktopOpener, AStartedOpenerIsNoSuccessItsExitStatusDecides)
{
    FakeOpener works("exit 0\n");
    NoBrowserOpener opener(works.Path());
    EXPECT_TRUE(OpenAndWait(opener, "https://example.org/a b").Opened());
    EXPECT_EQ(works.Asked(), "https://example.org/a%20b\n");

    FakeOpener noMethod("echo \"xdg-open: 882: w3m: not found\" >&2\n"
                        "echo \"xdg-open: no method available for opening '$1'\" >&2\nexit 3\n");
    NoBrowserOpener failing(noMethod.Path());
    const LinkOpenResult result = OpenAndWait(failing, "https://example.org/");
    EXPECT_EQ(result.failure, OpenLinkCode::NoAssociation);
    EXPECT_EQ(result.detail, "xdg-open: no method available for opening 'https://example.org/'");

    FakeOpener unreadable("exit 5\n");
    NoBrowserOpener denied(unreadable.Path());
    EXPECT_EQ(OpenAndWait(denied, "https://example.org/").failure, OpenLinkCode::AccessDenied);

    // A missing opener is no missing file: the package is missing.
    NoBrowserOpener missing("/nonexistent/xdg-open");
    const LinkOpenResult noOpener = OpenAndWait(missing, "https://example.org/");
    EXPECT_EQ(noOpener.failure, OpenLinkCode::NoOpener);
    EXPECT_EQ(noOpener.detail, "");
}

// After the desktop opener failed, the desktop is asked for its default browser
// without blocking: its setting first, then the handler of web addresses,
// whose desktop entry gives the command that gets the address.
TEST(DesktopOpener, AFailedOpenerFallsBackOnTheBrowserTheDesktopNames)
{
    FakeOpener failing("exit 3\n");
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto write = [&folder](const QString& name, const QByteArray& text) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    write("xdg-settings", "#!/bin/sh\nexit 1\n");
    write("xdg-mime", "#!/bin/sh\n[ \"$3\" = x-scheme-handler/http ] && echo fake.desktop\n");
    write("browser", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.opened\"\n");
    ASSERT_TRUE(QDir(folder.path()).mkpath("data/applications"));
    write("data/applications/fake.desktop",
          "[Desktop Entry]\nExec=" + QFile::encodeName(folder.filePath("browser")) + " --new %u\n");
    const QByteArray path = qgetenv("PATH");
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    qputenv("PATH", QFile::encodeName(folder.path()) + ":" + path);
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder.filePath("data")));

    LinkOpener opener(failing.Path());
    QObject context;
    std::optional<LinkOpenResult> result;
    OpenLinkWith(opener, "https://example.org/", &context,
                 [&result](const LinkOpenResult& r) { result = r; });
    EXPECT_FALSE(result.has_value());
    EXPECT_TRUE(RunUntil([&result] { return result.has_value(); }, 10000));
    EXPECT_TRUE(result && result->Opened());
    const QString opened = folder.filePath("browser.opened");
    EXPECT_TRUE(RunUntil([&opened] { return QFileInfo(opened).size() > 0; }, 5000));
    QFile record(opened);
    EXPECT_TRUE(record.open(QIODevice::ReadOnly));
    EXPECT_EQ(record.readAll(), "--new\nhttps://example.org/\n");
    qputenv("PATH", path);
    qputenv("XDG_DATA_HOME", data);
}

TEST(DesktopOpener, AnOpenerStillRunningAfterItsPatienceHasOpenedAndIsNotKilled)
{
    FakeOpener foreground("echo $$ > \"$(dirname \"$0\")/pid\"\nexec sleep 30\n");
    NoBrowserOpener opener(foreground.Path(), 200ms);
    EXPECT_TRUE(OpenAndWait(opener, "https://example.org/", 5000).Opened());
    QFile pidFile(QFileInfo(foreground.Path()).dir().filePath("pid"));
    ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
    const qint64 pid = pidFile.readAll().trimmed().toLongLong();
    RunFor(300);
    EXPECT_TRUE(ProcessRunning(pid)) << "the handler a user sees must not be ended";
    ::kill(static_cast<pid_t>(pid), SIGTERM);
}

TEST(DesktopOpener, TheResultIsDroppedWhenItsContextGoesFirst)
{
    FakeOpener slow("sleep 0.3\nexit 3\n");
    NoBrowserOpener opener(slow.Path());
    bool called = false;
    {
        QObject context;
        OpenLinkWith(opener, "https://example.org/", &context,
                     [&called](const LinkOpenResult&) { called = true; });
    }
    RunFor(1000);
    EXPECT_FALSE(called);
}

} // namespace
