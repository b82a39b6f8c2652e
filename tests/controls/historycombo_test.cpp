#include "controls/historycombo.h"
#include "profilefixture.h"
#include "qtprinters.h"

#include <QStringList>

namespace {

QStringList Entries(const HistoryCombo& list)
{
    QStringList entries;
    for (int i = 0; i < list.count(); ++i)
        entries.append(list.itemText(i));
    return entries;
}

using HistoryComboTest = ProfileTest;

TEST_F(HistoryComboTest, LoadingStopsAtTheFirstMissingKeyAndRestoresTheLastText)
{
    Write("Folder0", "/data/a");
    Write("Folder1", "/data/b");
    Write("Folder3", "/data/after-gap");
    Write("Folder", "/DATA/B");
    HistoryCombo list;
    EXPECT_EQ(list.LoadHistory("FolderHistory", "Folder"), "/DATA/B");
    EXPECT_EQ(Entries(list), (QStringList{"/data/a", "/data/b"}));
    EXPECT_EQ(list.currentIndex(), 1) << "found ignoring letter case";
}

TEST_F(HistoryComboTest, LoadingWithoutRememberingReturnsTheLastEntryValueRead)
{
    Write("Folder0", "/data/a");
    HistoryCombo list;
    EXPECT_EQ(list.LoadHistory("FolderHistory", "Folder", false), "");
    EXPECT_EQ(Entries(list), QStringList{"/data/a"});
    HistoryCombo named;
    Write("Chosen", "/data/a");
    EXPECT_EQ(named.LoadHistory("FolderHistory", "Folder", true, "Chosen"), "/data/a");
}

TEST_F(HistoryComboTest, LoadingSkipsFoldersThatNoLongerExistOnlyWhenAsked)
{
    const QString kept = MakeFolder("kept");
    Write("Folder0", m_folder.filePath("deleted"));
    Write("Folder1", kept);
    HistoryCombo checked;
    checked.SetCheckExistence(true);
    checked.LoadHistory("FolderHistory", "Folder");
    EXPECT_EQ(Entries(checked), QStringList{kept});
    EXPECT_EQ(Read("Folder0"), m_folder.filePath("deleted")) << "left in the profile on load";

    HistoryCombo unchecked;
    unchecked.LoadHistory("FolderHistory", "Folder");
    EXPECT_EQ(unchecked.count(), 2);
}

TEST_F(HistoryComboTest, WithoutASectionTheHistoryLogicIsOff)
{
    HistoryCombo list;
    EXPECT_EQ(list.LoadHistory("", "Folder"), "");
    EXPECT_EQ(list.AddToHistory("  /b  "), 0);
    EXPECT_EQ(list.AddToHistory("/a"), 1) << "appended at the end, unchanged";
    EXPECT_EQ(Entries(list), (QStringList{"  /b  ", "/a"}));
    list.SaveHistory();
    EXPECT_FALSE(QFile::exists(ProfilePath()));
}

TEST_F(HistoryComboTest, AddingPutsTheTrimmedTextOnTopAndDropsItsFirstOldEntryWhateverItsCase)
{
    Write("Folder0", "/data/a");
    Write("Folder1", "/Data/B");
    Write("Folder2", "/data/c");
    Write("Folder3", "/DATA/b");
    HistoryCombo list;
    list.LoadHistory("FolderHistory", "Folder");
    EXPECT_EQ(list.count(), 4) << "duplicates in the profile load as they are";
    EXPECT_EQ(list.AddToHistory("   "), -1);
    EXPECT_EQ(list.AddToHistory("  /data/b "), 0);
    EXPECT_EQ(Entries(list), (QStringList{"/data/b", "/data/a", "/data/c", "/DATA/b"}))
        << "only the first old entry goes";
    EXPECT_EQ(list.currentIndex(), 0);
    list.SaveHistory();
    EXPECT_EQ(Read("Folder0"), "/data/b") << "the new text's case is stored";
    EXPECT_EQ(Read("Folder"), "/data/b");
}

TEST_F(HistoryComboTest, KeepsAtMostAHundredAndDeletesStaleKeysUpToTheFirstGap)
{
    for (int i = 0; i < 105; ++i)
        Write(QString("Folder%1").arg(i), QString("/old/%1").arg(i));
    Write("Folder107", "/beyond/gap");
    HistoryCombo list;
    list.LoadHistory("FolderHistory", "Folder");
    ASSERT_EQ(list.count(), HistoryCombo::DefaultMaxEntries) << "at most 100 keys are read";

    list.AddToHistory("/new");
    EXPECT_EQ(list.count(), 100);
    EXPECT_EQ(list.itemText(0), "/new");
    EXPECT_EQ(list.itemText(99), "/old/98") << "the oldest is pushed out";
    list.SaveHistory(false);
    EXPECT_EQ(Read("Folder0"), "/new");
    EXPECT_EQ(Read("Folder99"), "/old/98");
    for (int i = 100; i < 105; ++i)
        EXPECT_FALSE(Has(QString("Folder%1").arg(i))) << i;
    EXPECT_EQ(Read("Folder107"), "/beyond/gap") << "keys after a gap are not touched";
}

TEST_F(HistoryComboTest, SavingAddsTheCurrentTextWhenAsked)
{
    Write("Folder0", "/a");
    Write("Folder1", "/b");
    HistoryCombo list;
    list.LoadHistory("FolderHistory", "Folder", false);
    list.setCurrentIndex(1);
    list.SaveHistory(true);
    EXPECT_EQ(Read("Folder0"), "/b");
    EXPECT_EQ(Read("Folder1"), "/a");
    EXPECT_FALSE(Has("Folder")) << "nothing remembered without the flag";
}

} // namespace
