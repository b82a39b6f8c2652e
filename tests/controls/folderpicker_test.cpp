#include "controls/folderpicker.h"
#include "qtprinters.h"

#include <QFileDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class FolderPickerTest : public ::testing::Test
{
protected:
    ~FolderPickerTest() override { FolderPicker::ClearAnswers(); }
    QTemporaryDir m_folder;
};

// A missing initial folder leaves the dialog where it opens by itself.
TEST_F(FolderPickerTest, ReturnsTheChosenFolderAndOpensAtTheInitialOneIfItExists)
{
    const QString source = m_folder.filePath("DVD");
    QDir().mkpath(source);
    for (const auto& [initial, expected] :
         {std::pair{m_folder.filePath("missing"), QFileDialog().directory().absolutePath()},
          {m_folder.path(), m_folder.path()}}) {
        QString openedAt;
        FolderPicker::SetNextAnswer([&](QFileDialog& chooser) {
            openedAt = chooser.directory().absolutePath();
            EXPECT_EQ(chooser.fileMode(), QFileDialog::Directory);
            EXPECT_EQ(chooser.windowTitle(), "Choose a folder");
            return std::optional<QString>(source);
        });
        FolderPicker picker;
        EXPECT_EQ(picker.Browse("Choose a folder", initial, 0x49), FolderPicker::ResultOk);
        EXPECT_EQ(picker.GetPath(), source);
        EXPECT_EQ(openedAt, expected) << initial.toStdString();
    }
    EXPECT_EQ(DefaultBrowseFolder(), QDir::homePath());
}

TEST_F(FolderPickerTest, CancelAndNonFoldersReturnTwo)
{
    FolderPicker picker;
    FolderPicker::SetNextCancel();
    EXPECT_EQ(picker.Browse("t", m_folder.path()), FolderPicker::ResultCancel);
    QFile file(m_folder.filePath("file.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    FolderPicker::SetNextAnswer(file.fileName());
    EXPECT_EQ(picker.Browse("t", m_folder.path()), FolderPicker::ResultCancel);
    FolderPicker::SetNextAnswer(QString());
    EXPECT_EQ(picker.Browse("t"), FolderPicker::ResultCancel);
}

} // namespace
