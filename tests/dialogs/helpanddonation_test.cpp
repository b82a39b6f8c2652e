#include "dialogs/donation.h"
#include "dialogs/helppage.h"
#include "dialogtesthelpers.h"
#include "platform/programtranslations.h"
#include "support/scriptedmessagebox.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

namespace {

// Stands in for the desktop's opener: writes each argument on a line of its own.
QString WriteRecordingOpener(const QString& folder, const QString& record)
{
    QString path = QDir(folder).filePath(QStringLiteral("opener"));
    QFile script(path);
    EXPECT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                 record.toUtf8() + ".tmp\"\nmv \"" + record.toUtf8() + ".tmp\" \"" +
                 record.toUtf8() + "\"\n");
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

QByteArray WaitForFile(const QString& path)
{
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(path) && !deadline.hasExpired())
        QThread::msleep(10);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class HelpPageTest : public DialogTest
{};

TEST_F(HelpPageTest, FolderWithSpacesAndQuotesGivesTheOpenerOneArgument)
{
    const QString programFolder = Path(QStringLiteral("my \"program\" folder; $(echo x)"));
    ASSERT_TRUE(QDir().mkpath(programFolder));
    const QString record = Path(QStringLiteral("argv"));

    LinkOpener opener(WriteRecordingOpener(Folder(), record));
    ScriptedMessageBox boxes;
    QObject context;
    OpenHelpPage(programFolder, &context, boxes, opener);
    EXPECT_EQ(WaitForFile(record),
              (programFolder + QStringLiteral("/stencil_hlp.html\n")).toUtf8());
}

QByteArray ReadPage(const char* name)
{
    QFile page(QStringLiteral(ISOMINT_PROGRAM_DIR "/") + QLatin1String(name));
    return page.open(QIODevice::ReadOnly) ? page.readAll() : QByteArray();
}

QStringList AnchorIds(const QByteArray& html)
{
    QStringList ids;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral(" id=\"([^\"]+)\"")).globalMatch(QString::fromUtf8(html));
    while (it.hasNext())
        ids << it.next().captured(1);
    return ids;
}

// Each page explains the settings and the messages a user meets, and a
// translated page keeps every anchor, so that links into it still work.
TEST(HelpPage, ProgramFolderHoldsEveryLanguagesPage)
{
    const QByteArray english = ReadPage("stencil_hlp.html");
    const QByteArray german = ReadPage("stencil_hlp_de.html");
    EXPECT_TRUE(english.contains("<title>Isomint Stencil Help</title>"));
    for (const char* topic :
         {"Program settings", "DVD Decrypter", "Messages", "Missing needed information."})
        EXPECT_TRUE(english.contains(topic)) << topic;
    EXPECT_TRUE(german.contains("<html lang=\"de\">"));
    EXPECT_TRUE(german.contains("Programmeinstellungen"));
    for (const QByteArray& page : {english, german})
        EXPECT_TRUE(page.contains("<link rel=\"stylesheet\" href=\"stencil_hlp.css\">"));
    EXPECT_TRUE(ReadPage("stencil_hlp.css").contains("body {"));
    EXPECT_FALSE(AnchorIds(english).isEmpty());
    EXPECT_EQ(AnchorIds(german), AnchorIds(english));
}

// Help speaks the window's language when the program folder has that page.
TEST(HelpPage, FollowsTheWindowsLanguage)
{
    struct Case
    {
        const char* language;
        bool germanPage;
        const char* opened;
    };
    for (const Case& c :
         {Case{"en", true, "stencil_hlp.html"}, Case{"de", true, "stencil_hlp_de.html"},
          Case{"de", false, "stencil_hlp.html"}}) {
        QTemporaryDir folder;
        for (const char* page : {"stencil_hlp.html", "stencil_hlp_de.html"}) {
            if (QByteArray(page) != "stencil_hlp_de.html" || c.germanPage)
                QFile::copy(QStringLiteral(ISOMINT_PROGRAM_DIR "/") + QLatin1String(page),
                            folder.filePath(QLatin1String(page)));
        }
        const ProgramTranslations translations(QStringLiteral(ISOMINT_PROGRAM_DIR),
                                               QLocale(QLatin1String(c.language)));
        EXPECT_EQ(HelpPagePath(folder.path()), folder.filePath(QLatin1String(c.opened)))
            << c.language << " " << c.germanPage;
    }
}

TEST(Donation, OpensThePaymentPageOnceAndExplainsAFailure)
{
    RecordingOpener opener;
    SetLinkOpener(&opener);
    ScriptedMessageBox boxes;
    QObject context;
    OpenDonationPage(&context, boxes);
    EXPECT_EQ(boxes.Count(), 0);
    opener.works = false;
    OpenDonationPage(&context, boxes);
    SetLinkOpener(nullptr);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().text, OpenLinkErrorText(OpenLinkCode::NoAssociation));

    ASSERT_EQ(opener.opened.size(), 2);
    const QString address = opener.opened.first();
    EXPECT_TRUE(address.startsWith(QStringLiteral("https://")));
    EXPECT_TRUE(address.contains(QStringLiteral("business=")));
    EXPECT_TRUE(address.contains(QStringLiteral("item_name=")));
}

} // namespace
