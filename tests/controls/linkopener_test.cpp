#include "controls/linkopener.h"
#include "qtprinters.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

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
    EXPECT_EQ(SplitExecLine(CutHandlerCommand(ExecLineOfDesktopEntry(entry))),
              (QStringList{"/opt/b b/run", "--x", "a\\b"}));
    EXPECT_TRUE(ExecLineOfDesktopEntry("[Desktop Action new]\nExec=other\n").isEmpty());
}

TEST(OpenLinkErrorText, NamesTheReasonByCode)
{
    EXPECT_EQ(OpenLinkErrorText(31), "Unable to open hyperlink:\n\nThere is no application "
                                     "associated\nwith the given filename extension.");
    EXPECT_EQ(OpenLinkErrorText(26), "Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(OpenLinkErrorText(0),
              "Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources.");
    EXPECT_EQ(OpenLinkErrorText(99), "Unable to open hyperlink:\n\nUnknown Error (99) occurred.");
}

// Drives every step of opening without a desktop or a browser.
class ScriptedOpener : public LinkOpener
{
public:
    bool OpenWithDesktop(const QString& address) override
    {
        desktopAsked.append(address);
        return desktopOpens;
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
    EXPECT_GT(OpenLinkWith(opener, "https://example.org/"), OpenLinkSuccessAbove);
    EXPECT_EQ(opener.desktopAsked, QStringList{"https://example.org/"});
    EXPECT_TRUE(opener.started.isEmpty());
}

TEST(OpenLink, FallsBackOnTheBrowserCommandWithTheAddressAsOneArgument)
{
    ScriptedOpener opener;
    opener.browser = "env --unset=X \"%u\" --ignored";
    const QString address = "https://example.org/a b?q=\"x\";rm -rf ~";
    EXPECT_GT(OpenLinkWith(opener, address), OpenLinkSuccessAbove);
    ASSERT_EQ(opener.started.size(), 1);
    const QStringList& command = opener.started[0];
    EXPECT_TRUE(command[0].endsWith("/env")) << command[0].toStdString();
    EXPECT_EQ(command.mid(1), (QStringList{"--unset=X", address}));
}

TEST(OpenLink, MapsEachFailureToTheShellsCode)
{
    ScriptedOpener opener;
    EXPECT_EQ(OpenLinkWith(opener, "https://example.org/"), OpenLinkCode::NoAssociation);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_EQ(OpenLinkWith(opener, folder.filePath("missing.html")), OpenLinkCode::FileNotFound);
    EXPECT_EQ(OpenLinkWith(opener, folder.filePath("gone/missing.html")),
              OpenLinkCode::PathNotFound);

    opener.browser = "no-such-browser-here %u";
    EXPECT_EQ(OpenLinkWith(opener, "https://example.org/"), OpenLinkCode::FileNotFound);
    opener.browser = folder.filePath("gone/browser") + " %u";
    EXPECT_EQ(OpenLinkWith(opener, "https://example.org/"), OpenLinkCode::PathNotFound);
    opener.browser = folder.path() + " %u";
    EXPECT_EQ(OpenLinkWith(opener, "https://example.org/"), OpenLinkCode::AccessDenied);
    opener.browser = "env %u";
    opener.startWorks = false;
    EXPECT_EQ(OpenLinkWith(opener, "https://example.org/"), OpenLinkCode::BadExecutable);
}

} // namespace
