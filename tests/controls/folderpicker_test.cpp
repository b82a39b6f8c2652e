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

TEST_F(FolderPickerTest, ReturnsTheChosenFolderAndOpensAtTheInitialOne)
{
    QString openedAt;
    const QString source = m_folder.filePath("DVD");
    QDir().mkpath(source);
    FolderPicker::SetNextAnswer([&](QFileDialog& chooser) {
        openedAt = chooser.directory().absolutePath();
        EXPECT_EQ(chooser.fileMode(), QFileDialog::Directory);
        EXPECT_EQ(chooser.windowTitle(), "Choose a folder");
        return std::optional<QString>(source);
    });
    FolderPicker picker;
    EXPECT_EQ(picker.Browse("Choose a folder", m_folder.path(), 0x49), FolderPicker::ResultOk);
    EXPECT_EQ(picker.GetPath(), source);
    EXPECT_EQ(openedAt, m_folder.path());
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

TEST_F(FolderPickerTest, AMissingInitialFolderLeavesTheDefaultPlace)
{
    QString openedAt;
    FolderPicker::SetNextAnswer([&](QFileDialog& chooser) {
        openedAt = chooser.directory().absolutePath();
        return std::optional<QString>(m_folder.path());
    });
    FolderPicker picker;
    EXPECT_EQ(picker.Browse("t", m_folder.filePath("missing")), FolderPicker::ResultOk);
    EXPECT_EQ(openedAt, QFileDialog().directory().absolutePath());
    EXPECT_EQ(picker.GetPath(), m_folder.path());
    EXPECT_EQ(DefaultBrowseFolder(), QDir::homePath());
}

} // namespace
