#include "dialogs/licensedialog.h"
#include "dialogtesthelpers.h"

#include <QFontInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

namespace {

class LicenseDialogTest : public DialogTest
{
protected:
    QString Shown(const QByteArray& license)
    {
        WriteFile(QStringLiteral("license.txt"), license);
        return Load();
    }

    QString Load()
    {
        m_dialog.SetProgramFolder(Folder());
        m_dialog.LoadLicenseText();
        return m_dialog.LicenseText();
    }

    QPlainTextEdit& Box() { return *m_dialog.findChild<QPlainTextEdit*>(); }

    LicenseDialog m_dialog;
};

TEST_F(LicenseDialogTest, LfAndCrLfFilesShowOneLinePerLine)
{
    const QString expected = QStringLiteral("MIT License\r\n\r\nCopyright\r\n");
    EXPECT_EQ(Shown("MIT License\n\nCopyright\n"), expected);
    EXPECT_EQ(Shown("MIT License\r\n\r\nCopyright\r\n"), expected);
    EXPECT_EQ(Box().toPlainText(), QStringLiteral("MIT License\n\nCopyright\n"));
}

TEST_F(LicenseDialogTest, LongLineArrivesWholeAndIsShownAsWrittenInFixedColumns)
{
    const QByteArray line(700, 'w');
    QByteArray words;
    for (int i = 0; i < 100; ++i)
        words += "word ";
    EXPECT_EQ(Shown(line + "\n" + words + "\n"),
              QString::fromLatin1(line) + "\r\n" + QString::fromLatin1(words) + "\r\n");

    m_dialog.show();
    const QTextBlock second = Box().document()->findBlockByNumber(1);
    ASSERT_NE(second.layout(), nullptr);
    EXPECT_EQ(second.layout()->lineCount(), 1) << "no re-wrapping: columns stay as written";
    EXPECT_GT(Box().horizontalScrollBar()->maximum(), 0);
    EXPECT_TRUE(QFontInfo(Box().font()).fixedPitch());
}

TEST_F(LicenseDialogTest, MissingFileOpensAnEmptyReadOnlyBoxWithOk)
{
    QString textWhileOpen = QStringLiteral("<not run>");
    QTimer::singleShot(0, &m_dialog, [&] {
        textWhileOpen = Box().toPlainText();
        QTest::keyClick(&m_dialog, Qt::Key_Return); // OK is the default button
    });
    m_dialog.SetProgramFolder(Folder());
    EXPECT_EQ(m_dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(textWhileOpen.isEmpty());
    EXPECT_TRUE(Box().isReadOnly());
    EXPECT_EQ(m_dialog.windowTitle(), QStringLiteral("License"));
    EXPECT_EQ(m_dialog.findChild<QPushButton*>()->text(), QStringLiteral("OK"));
}

} // namespace
