#include "controls/linklabel.h"
#include "controls/themedbutton.h"
#include "dialogs/aboutdialog.h"
#include "dialogs/abouttexts.h"
#include "dialogtesthelpers.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

class AboutDialogTest : public DialogTest
{
protected:
    QString ModulesShown()
    {
        m_dialog.SetProgramFolder(Folder());
        m_dialog.Prepare();
        // The label shows the same lines; a final line break adds no empty line to it.
        QString shown = m_dialog.ModuleText();
        while (shown.endsWith(u'\n'))
            shown.chop(1);
        EXPECT_EQ(Label("moduleLabel").text(), shown);
        return m_dialog.ModuleText();
    }

    QLabel& Label(const char* name) { return *m_dialog.findChild<QLabel*>(name); }
    LinkLabel& Link(const char* name) { return *m_dialog.findChild<LinkLabel*>(name); }

    AboutDialog m_dialog;
};

TEST(AboutTexts, VersionTextHasNameVersionEmptyLineAndBuildDate)
{
    EXPECT_EQ(AboutVersionText(QStringLiteral("0.91.5"), QStringLiteral("Apr  7 2005")),
              QStringLiteral("Isomint Stencil, Version 0.91.5\r\n\r\nDate of Build: Apr  7 2005"));

    const QString text = AboutVersionText();
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Isomint Stencil, Version 0.91.5"));
    EXPECT_TRUE(lines[1].isEmpty());
    // "Mmm dd yyyy" with the day padded by a space, a real date not after today.
    const QRegularExpression form(
        QStringLiteral("^Date of Build: ([A-Z][a-z]{2}) ([ 1-3]\\d) (\\d{4})$"));
    const QRegularExpressionMatch match = form.match(lines[2]);
    ASSERT_TRUE(match.hasMatch()) << lines[2].toStdString();
    const QDate built = QLocale::c().toDate(match.captured(1) + u' ' + match.captured(2).trimmed() +
                                                u' ' + match.captured(3),
                                            QStringLiteral("MMM d yyyy"));
    EXPECT_TRUE(built.isValid());
    EXPECT_LE(built, QDate::currentDate());
}

TEST(AboutTexts, CreditIsTwoLinesNamingGenisoimageCdrkitAndCdrtools)
{
    const QStringList lines = AboutCreditText().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].contains(QStringLiteral("genisoimage")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("cdrkit")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("cdrtools")));
}

// mod.ver is shown verbatim after the heading whatever its line ends; markup is
// not interpreted.
TEST_F(AboutDialogTest, ModVerIsShownVerbatimAfterTheHeading)
{
    EXPECT_EQ(ModulesShown(), QStringLiteral("Can't get external module information."));
    const QString modules = QStringLiteral("Using following modules:\n\n");
    const QString lines = QStringLiteral("genisoimage 1.1.11 (Linux) as mkisofs\nQt 6.4.2\n");
    for (const auto& [file, shown] :
         {std::pair<QByteArray, QString>{"", modules},
          {lines.toUtf8(), modules + lines},
          {"genisoimage 1.1.11 (Linux) as mkisofs\r\nQt 6.4.2\r\n", modules + lines},
          {"<b>x</b>", modules + "<b>x</b>"}}) {
        WriteFile(QStringLiteral("mod.ver"), file);
        EXPECT_EQ(ModulesShown(), shown) << file.constData();
    }
    EXPECT_EQ(Label("moduleLabel").textFormat(), Qt::PlainText);
}

TEST_F(AboutDialogTest, BuiltProgramFolderNamesTheModulesReallyInUse)
{
    m_dialog.SetProgramFolder(QStringLiteral(ISOMINT_PROGRAM_DIR));
    m_dialog.Prepare();
    EXPECT_TRUE(m_dialog.ModuleText().contains(QStringLiteral("genisoimage")));
    EXPECT_TRUE(m_dialog.ModuleText().contains(QStringLiteral("Qt " QT_VERSION_STR)));
}

TEST_F(AboutDialogTest, LabelsShowTheTextsAndLinksCarryTheirAddresses)
{
    m_dialog.Prepare();
    EXPECT_EQ(Label("versionLabel").text(), QString(m_dialog.VersionText()).remove(u'\r'));
    EXPECT_EQ(Label("creditLabel").text(), QString(m_dialog.CreditText()).remove(u'\r'));

    EXPECT_EQ(Link("homepageLink").Url(), QStringLiteral("https://isomint.example.org/"));
    EXPECT_EQ(Link("emailLink").Url(), QStringLiteral("mailto:stencil@isomint.example.org"));
    EXPECT_EQ(Link("cdrtoolsLink").Url(),
              QStringLiteral("https://sourceforge.net/projects/cdrtools/"));
    EXPECT_EQ(Link("cdrtoolsLink").text(), QStringLiteral("cdrtools Homepage"));
    for (const char* name : {"homepageLink", "emailLink", "cdrtoolsLink"})
        EXPECT_EQ(Link(name).UnderlineMode(), -1) << name;

    auto& donation = *m_dialog.findChild<ThemedButton*>("donationButton");
    EXPECT_TRUE(donation.Url().contains(QStringLiteral("business=")));
    EXPECT_TRUE(donation.Url().contains(QStringLiteral("item_name=")));
    EXPECT_FALSE(donation.Bitmap().isNull());
    EXPECT_FALSE(donation.isDefault());
    EXPECT_FALSE(m_dialog.findChild<ThemedButton*>("okButton")->Icon().isNull());
}

// Enter in a freshly opened box closes it and opens nothing: the first focus
// is on "OK"; Tab goes round the three links and back, never to the picture.
TEST_F(AboutDialogTest, EnterClosesTheBoxWithoutOpeningTheDonationPage)
{
    RecordingOpener opener;
    SetLinkOpener(&opener);
    m_dialog.SetProgramFolder(Folder());
    QTimer::singleShot(0, &m_dialog, [this] {
        EXPECT_EQ(m_dialog.focusWidget(), m_dialog.findChild<ThemedButton*>("okButton"));
        for (const char* next : {"homepageLink", "emailLink", "cdrtoolsLink", "okButton"}) {
            QTest::keyClick(m_dialog.focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(m_dialog.focusWidget()->objectName(), QLatin1String(next));
        }
        QTest::keyClick(m_dialog.focusWidget(), Qt::Key_Return);
    });
    QTimer::singleShot(3000, &m_dialog, [this] { m_dialog.done(-1); });
    EXPECT_EQ(m_dialog.PrepareAndShow(), QDialog::Accepted);
    SetLinkOpener(nullptr);
    EXPECT_TRUE(opener.opened.isEmpty());
}

} // namespace
