#include "controls/cxfiledialog.h"
#include "controls/historycombo.h"
#include "profilefixture.h"
#include "qtprinters.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

class CXFileDialogTest : public ProfileTest
{
protected:
    ~CXFileDialogTest() override { CXFileDialog::ClearAnswers(); }

    static CXFileDialog ImageDialog()
    {
        return CXFileDialog(false, "iso", "NO_NAME.iso", CXFileDialog::FlagOverwritePrompt,
                            "ISO Image (*.iso)|*.iso|Image File (*.img)|*.img|All Files (*.*)||");
    }
};

TEST(HistoryFolderOf, IsTheFilesFolderAndTheRootForAFileInIt)
{
    EXPECT_EQ(HistoryFolderOf("/out.iso"), "/");
    EXPECT_EQ(HistoryFolderOf("out.iso"), "out.iso") << "no separator: taken whole";
    EXPECT_EQ(HistoryFolderOf("/a/b/c.log"), "/a/b");
}

TEST_F(CXFileDialogTest, CancellingWritesNothing)
{
    CXFileDialog::SetNextCancel();
    CXFileDialog dialog;
    EXPECT_EQ(dialog.DoModal(), CXFileDialog::ResultCancel);
    EXPECT_FALSE(QFile::exists(ProfilePath()));
}

TEST_F(CXFileDialogTest, TheHistoryIsLoadedBeforeTheAnswerAndStoresAnAcceptedFolderAtOnce)
{
    const QString first = MakeFolder("first");
    const QString second = MakeFolder("second");
    Write("Folder0", first);
    Write("Folder1", m_folder.filePath("deleted"));
    Write("Folder2", second);
    QStringList seen;
    CXFileDialog::SetNextAnswer([&seen, second](CXFileDialog& dialog) {
        for (int i = 0; i < dialog.History().count(); ++i)
            seen.append(dialog.History().itemText(i));
        return std::optional<QString>(second + "/x.log");
    });
    CXFileDialog dialog;
    EXPECT_EQ(dialog.DoModal(), CXFileDialog::ResultOk);
    EXPECT_EQ(dialog.GetPathName(), second + "/x.log");
    EXPECT_EQ(seen, (QStringList{first, second})) << "deleted folders are left out";
    EXPECT_EQ(Read("Folder0"), second);
    EXPECT_EQ(Read("Folder1"), first);
    EXPECT_EQ(Read("Folder"), second);
}

TEST_F(CXFileDialogTest, OpensInTheGivenFolderElseInTheLastOneUsedKeepingTheName)
{
    const QString last = MakeFolder("last used");
    const QString given = MakeFolder("given");
    Write("Folder0", last);
    // A folder that is gone falls back on the last one used.
    for (const auto& [initial, expected] :
         {std::pair{QString(), last}, {given, given}, {m_folder.filePath("deleted"), last}}) {
        QString opened;
        QString name;
        CXFileDialog::SetNextAnswer([&opened, &name](CXFileDialog& dialog) {
            opened = dialog.directory().absolutePath();
            name = dialog.findChild<QLineEdit*>("fileNameEdit")->text();
            return std::optional<QString>();
        });
        CXFileDialog dialog = ImageDialog();
        dialog.SetInitialFolder(initial);
        dialog.DoModal();
        EXPECT_EQ(opened, expected) << initial.toStdString();
        EXPECT_EQ(name, "NO_NAME.iso");
    }
}

TEST_F(CXFileDialogTest, TheFirstFocusIsTheFileNameEveryTime)
{
    for (int shown = 0; shown < 2; ++shown) {
        CXFileDialog dialog = ImageDialog();
        QWidget* focused = nullptr;
        QTimer::singleShot(0, &dialog, [&dialog, &focused] {
            focused = dialog.focusWidget();
            dialog.reject();
        });
        dialog.DoModal();
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(focused->objectName(), "fileNameEdit") << "showing " << shown;
    }
}

TEST_F(CXFileDialogTest, IsConfiguredAsTheCallerAsked)
{
    CXFileDialog dialog = ImageDialog();
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.defaultSuffix(), "iso");
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog.nameFilters(),
              (QStringList{"ISO Image (*.iso)", "Image File (*.img)", "All Files (*)"}));
    EXPECT_EQ(dialog.findChild<QLineEdit*>("fileNameEdit")->text(), "NO_NAME.iso");

    CXFileDialog open(true, {}, "*.exe", 0, "EXE Files (*.exe)|*.exe|All Files (*.*)||");
    EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_TRUE(open.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(NameFiltersOf("Text (*.txt;*.log)|*.txt;*.log||"), QStringList{"Text (*.txt *.log)"});
    EXPECT_EQ(NameFiltersOf("Logs|*.log|Everything||"),
              (QStringList{"Logs (*.log)", "Everything (*)"}));
}

TEST_F(CXFileDialogTest, ThePanelSitsBelowInTheFileNameColumn)
{
    CXFileDialog dialog = ImageDialog();
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    ASSERT_NE(grid, nullptr);
    auto* label = dialog.findChild<QLabel*>("historyLabel");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Recent &folders:");
    EXPECT_EQ(label->buddy(), &dialog.History());
    int row, column, rows, columns;
    grid->getItemPosition(grid->indexOf(dialog.findChild<QLineEdit*>("fileNameEdit")), &row,
                          &column, &rows, &columns);
    const int nameRow = row;
    const int nameColumn = column;
    grid->getItemPosition(grid->indexOf(&dialog.History()), &row, &column, &rows, &columns);
    EXPECT_EQ(column, nameColumn);
    EXPECT_GT(row, nameRow);
    EXPECT_EQ(row, grid->rowCount() - 1);
}

TEST_F(CXFileDialogTest, ChoosingAnEntryJumpsThereKeepingTheTypedName)
{
    const QString there = MakeFolder("there");
    Write("Folder0", there);
    Write("Folder1", m_folder.filePath("gone"));
    CXFileDialog dialog = ImageDialog();
    dialog.History().LoadHistory("FolderHistory", "Folder");
    ASSERT_EQ(dialog.History().count(), 2);
    dialog.setDirectory(m_folder.path());
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    name->setText("typed.iso");

    emit dialog.History().activated(1);
    EXPECT_EQ(dialog.directory().absolutePath(), QDir(m_folder.path()).absolutePath())
        << "a deleted folder is not jumped to";
    emit dialog.History().activated(0);
    EXPECT_EQ(dialog.directory().absolutePath(), there);
    EXPECT_EQ(name->text(), "typed.iso");
}

// Through the real dialog's accept, which also stores the folder.
TEST_F(CXFileDialogTest, ATypedPatternNarrowsTheListingInsteadOfBeingChosen)
{
    const QString folder = MakeFolder("programs");
    MakeFolder("programs/sub");
    CXFileDialog dialog(true, "", "*.exe", CXFileDialog::FlagOverwritePrompt,
                        "EXE Files (*.exe)|*.exe|All Files (*.*)||");
    dialog.setDirectory(folder);
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    QTimer::singleShot(0, &dialog, [&] {
        QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
        EXPECT_TRUE(dialog.isVisible()) << "a pattern is no file name";
        EXPECT_EQ(dialog.selectedNameFilter(), "EXE Files (*.exe)");

        name->setText("*.txt");
        QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
        EXPECT_EQ(dialog.selectedNameFilter(), "*.txt");
        EXPECT_TRUE(dialog.nameFilters().contains("All Files (*)")) << "the caller's stay";

        name->setText(folder + "/sub/*.exe");
        QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
        EXPECT_EQ(dialog.directory().absolutePath(), folder + "/sub");
        EXPECT_EQ(name->text(), "*.exe");
        dialog.setDirectory(folder);

        name->setText("decrypter.exe");
        QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
    });
    EXPECT_EQ(dialog.DoModal(), CXFileDialog::ResultOk);
    EXPECT_EQ(dialog.GetPathName(), folder + "/decrypter.exe");
    EXPECT_EQ(Read("Folder0"), folder);
}

} // namespace
