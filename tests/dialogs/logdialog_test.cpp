#include "dialogs/logdialog.h"
#include "dialogtesthelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

namespace {

class LogDialogTest : public DialogTest
{
protected:
    QPlainTextEdit& View() { return *m_dialog.findChild<QPlainTextEdit*>(); }
    QPushButton& Button(const char* name) { return *m_dialog.findChild<QPushButton*>(name); }

    QString Load(const QByteArray& capture)
    {
        m_dialog.LoadCapture(WriteFile(QStringLiteral("capture"), capture));
        return m_dialog.LogText();
    }

    // Saves through the "&Save" button, answering the file dialog with target.
    void SaveTo(const QString& target)
    {
        CXFileDialog::SetNextAnswer(target);
        QTest::mouseClick(&Button("saveButton"), Qt::LeftButton);
    }

    LogDialog m_dialog;
};

// Each line break of a capture, LF or CR LF, is one line of the text, the view
// and the saved file; a lone CR is none, a NUL byte cuts nothing off, and the
// file gets the capture's own bytes back.
TEST_F(LogDialogTest, CapturesShowOneLinePerLineAndSaveTheirOwnBytesInLf)
{
    struct Case
    {
        QByteArray capture;
        QString text;
        QString view;
        QByteArray saved;
    };
    const QByteArray nul("before\0after\nnext line\n", 23);
    const Case cases[] = {
        {" 9.87% done\n19.75% done\n", " 9.87% done\r\n19.75% done\r\n",
         " 9.87% done\n19.75% done\n", " 9.87% done\n19.75% done\n"},
        {" 9.87% done\r\n19.75% done\r\n", " 9.87% done\r\n19.75% done\r\n",
         " 9.87% done\n19.75% done\n", " 9.87% done\n19.75% done\n"},
        {"a\rb\r\nc\n", "a\rb\r\nc\r\n", QStringLiteral(u"a\u240Db\nc\n"), "a\rb\nc\n"},
        {nul, QString::fromUtf16(u"before\0after\r\nnext line\r\n", 25),
         QStringLiteral(u"before\u2400after\nnext line\n"), nul},
        // UTF-8 output is saved as UTF-8, whatever the last non-UTF-8 capture was.
        {"Latin-1 \xe9\n", QStringLiteral(u"Latin-1 \u00e9\r\n"),
         QStringLiteral(u"Latin-1 \u00e9\n"), "Latin-1 \xe9\n"},
        {"UTF-8 \xc3\xa9\n", QStringLiteral(u"UTF-8 \u00e9\r\n"), QStringLiteral(u"UTF-8 \u00e9\n"),
         "UTF-8 \xc3\xa9\n"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.capture.constData());
        EXPECT_EQ(Load(test.capture), test.text);
        EXPECT_EQ(View().toPlainText(), test.view);
        SaveTo(Path(QStringLiteral("saved.log")));
        EXPECT_EQ(ReadFile(Path(QStringLiteral("saved.log"))), test.saved);
    }
}

TEST_F(LogDialogTest, OpensAtTheNewestLineAndWrapsLongLines)
{
    QByteArray capture;
    for (int i = 0; i < 400; ++i)
        capture += QByteArray::number(i) + "% done\n";
    capture += "Image check: " + QByteArray(60, 'x') + " " + QByteArray(400, 'y') + " the end\n";
    Load(capture);
    m_dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dialog));
    QScrollBar& down = *View().verticalScrollBar();
    EXPECT_GT(down.maximum(), 0);
    EXPECT_EQ(down.value(), down.maximum());
    EXPECT_EQ(View().horizontalScrollBar()->maximum(), 0) << "the long line is not cut";
    const QTextBlock last = View().document()->findBlockByNumber(400);
    ASSERT_NE(last.layout(), nullptr);
    EXPECT_GT(last.layout()->lineCount(), 2);
}

// The text is no tab stop; Ctrl+A, from wherever the focus is, takes the
// keyboard into it with the whole log selected, and Ctrl+C copies it.
TEST_F(LogDialogTest, CtrlATakesTheKeyboardIntoTheWholeTextAndCtrlCCopiesIt)
{
    Load("I: -input-charset not specified\nImage check: 8 files\n");
    m_dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
    Button("saveButton").setFocus();
    EXPECT_FALSE(View().focusPolicy() & Qt::TabFocus);
    QTest::keyClick(&Button("saveButton"), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(View().hasFocus());
    QApplication::clipboard()->clear();
    QTest::keyClick(View().viewport(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("I: -input-charset not specified\nImage check: 8 files\n"));
}

TEST_F(LogDialogTest, MissingCaptureOpensEmpty)
{
    m_dialog.SetLogText(QStringLiteral("old text"));
    m_dialog.LoadCapture(Path(QStringLiteral("gone")));
    EXPECT_TRUE(m_dialog.LogText().isEmpty());
    EXPECT_TRUE(View().toPlainText().isEmpty());
}

TEST_F(LogDialogTest, SavedLogReadsBackAsTheCapturedLinesInPlainLf)
{
    const QByteArray capture = "I: -input-charset not specified\r\nTotal extents written = 11\n"
                               "Latin-1 \xe9 stays one char\n";
    Load(capture);
    QString target = Path(QStringLiteral("existing.log"));
    WriteFile(QStringLiteral("existing.log"), QByteArray(5000, 'x'));

    CXFileDialog::SetNextAnswer([&](CXFileDialog& dialog) {
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("log"));
        EXPECT_TRUE(dialog.selectedFiles().value(0).endsWith(QStringLiteral("/isomint.log")));
        EXPECT_EQ(dialog.CallerFlags(), CXFileDialog::FlagOverwritePrompt);
        EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(dialog.nameFilters(), QStringList({QStringLiteral("Log File (*.log)"),
                                                     QStringLiteral("Text File (*.txt)"),
                                                     QStringLiteral("All Files (*)")}));
        return std::optional<QString>(target);
    });
    QTest::mouseClick(&Button("saveButton"), Qt::LeftButton);

    // The whole old content is replaced; the capture's own bytes come back.
    EXPECT_EQ(ReadFile(target), QByteArray("I: -input-charset not specified\n"
                                           "Total extents written = 11\n"
                                           "Latin-1 \xe9 stays one char\n"));
}

// A text set directly is not tied to the last capture's bytes.
TEST_F(LogDialogTest, ASetTextIsSavedAsUtf8)
{
    Load("Latin-1 \xe9\n");
    m_dialog.SetLogText(QStringLiteral("\u00e9\u20ac\r\n"));
    SaveTo(Path(QStringLiteral("set.log")));
    EXPECT_EQ(ReadFile(Path(QStringLiteral("set.log"))), QByteArray("\xc3\xa9\xe2\x82\xac\n"));
}

TEST_F(LogDialogTest, WritableFileInAFolderThatTakesNoNewFilesIsStillSaved)
{
    Load("line\n");
    QDir(Folder()).mkdir(QStringLiteral("locked"));
    const QString target = WriteFile(QStringLiteral("locked/out.log"), "old content");
    const QString folder = Path(QStringLiteral("locked"));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool enforced = !QFile(folder + QStringLiteral("/probe")).open(QIODevice::WriteOnly);
    if (enforced)
        SaveTo(target);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!enforced)
        GTEST_SKIP() << "folder permissions are not enforced for this user";
    EXPECT_EQ(ReadFile(target), QByteArray("line\n"));
}

TEST_F(LogDialogTest, CancelOrUnwritableTargetWritesNothingAndStaysOpen)
{
    Load("line\n");
    m_dialog.show();

    CXFileDialog::SetNextCancel();
    QTest::mouseClick(&Button("saveButton"), Qt::LeftButton);
    EXPECT_TRUE(QDir(Folder()).entryList({QStringLiteral("*.log")}).isEmpty());

    SaveTo(Path(QStringLiteral("no such folder/out.log")));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("no such folder/out.log"))));
    EXPECT_TRUE(m_dialog.isVisible());
}

} // namespace
