#include "dialogs/licensedialog.h"
#include "dialogtesthelpers.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <optional>

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

TEST_F(LicenseDialogTest, LongLineArrivesWholeAndWrapsInTheBox)
{
    const QByteArray line(700, 'w');
    QByteArray words;
    for (int i = 0; i < 100; ++i)
        words += "word ";
    EXPECT_EQ(Shown(line + "\n" + words + "\n"),
              QString::fromLatin1(line) + "\r\n" + QString::fromLatin1(words) + "\r\n");

    m_dialog.show();
    for (const int block : {0, 1}) {
        const QTextLayout* layout = Box().document()->findBlockByNumber(block).layout();
        ASSERT_NE(layout, nullptr);
        EXPECT_GT(layout->lineCount(), 1) << block;
    }
    EXPECT_EQ(Box().horizontalScrollBar()->maximum(), 0) << "nothing is cut at the edge";
}

// Whatever monospace font the machine has, the columns of the license line up:
// the same number of narrow, wide and punctuation characters ends at one x.
TEST_F(LicenseDialogTest, ColumnsLineUpWhateverTheMachinesFonts)
{
    const QStringList rows{
        QStringLiteral("iiiiiiiiiiii"),
        QStringLiteral("WWWWWWWWWWWW"),
        QStringLiteral("............"),
        QStringLiteral("MIT (c) 2024"),
        QStringLiteral("l1|!:;,'`\"-_"),
        QStringLiteral("\u00e9\u00fc\u00df\u00c4\u00d6\u00a9\u00bb\u00b7\u00bd\u00b0\u00f8\u00e6")};
    Shown(rows.join(QLatin1Char('\n')).toUtf8());
    m_dialog.show();
    std::optional<qreal> end;
    for (int row = 0; row < rows.size(); ++row) {
        const QTextBlock block = Box().document()->findBlockByNumber(row);
        ASSERT_NE(block.layout(), nullptr);
        const qreal x = block.layout()->lineAt(0).cursorToX(12);
        if (!end)
            end = x;
        EXPECT_DOUBLE_EQ(x, *end) << rows[row].toStdString();
    }
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
