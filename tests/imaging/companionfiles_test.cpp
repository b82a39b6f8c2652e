#include "imaging/companionfiles.h"
#include "support/scriptedmessagebox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kMissingMkisofs = QStringLiteral(
    "Isomint Stencil needs \"mkisofs\" to generate an image!\n\nBe sure this files exists in same "
    "folder as Isomint Stencil.");

class CompanionFilesTest : public ::testing::Test
{
protected:
    void Touch(const QString& name)
    {
        QFile file(m_folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir m_folder;
    ScriptedMessageBox m_boxes;
};

TEST_F(CompanionFilesTest, MissingMkisofsShowsTheMessageOnce)
{
    EXPECT_EQ(CheckCompanionFiles(m_folder.path(), m_boxes), -1);
    ASSERT_EQ(m_boxes.Count(), 1);
    const MessageBoxRequest expected{QStringLiteral("Missing File"), kMissingMkisofs,
                                     BoxKind::Error, BoxOwner::MainWindow};
    EXPECT_EQ(m_boxes.Last(), expected);
}

TEST_F(CompanionFilesTest, PresentMkisofsShowsNothing)
{
    Touch(QStringLiteral("mkisofs"));
    EXPECT_EQ(CheckCompanionFiles(m_folder.path(), m_boxes), 0);
    EXPECT_EQ(m_boxes.Count(), 0);
}

TEST_F(CompanionFilesTest, AFolderOrALinkOfThatNameCounts)
{
    ASSERT_TRUE(QDir(m_folder.path()).mkdir(QStringLiteral("mkisofs")));
    EXPECT_EQ(CheckCompanionFiles(m_folder.path(), m_boxes), 0);

    QTemporaryDir other;
    ASSERT_TRUE(QFile::link(QStringLiteral("/nonexistent/genisoimage"),
                            other.filePath(QStringLiteral("mkisofs"))));
    EXPECT_EQ(CheckCompanionFiles(other.path(), m_boxes), 0);
    EXPECT_EQ(m_boxes.Count(), 0);
}

TEST_F(CompanionFilesTest, LookupIsCaseSensitiveAndIgnoresWindowsCompanions)
{
    Touch(QStringLiteral("MKISOFS"));
    Touch(QStringLiteral("mkisofs.exe"));
    Touch(QStringLiteral("cygwin1.dll"));
    EXPECT_EQ(CheckCompanionFiles(m_folder.path(), m_boxes), -1);
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last().text, kMissingMkisofs);
}

TEST(CompanionFiles, BuildTreeProgramFolderHasTheRealBuilder)
{
    ScriptedMessageBox boxes;
    EXPECT_EQ(CheckCompanionFiles(QStringLiteral(ISOMINT_PROGRAM_DIR), boxes), 0);
    const QFileInfo mkisofs(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    EXPECT_TRUE(mkisofs.isExecutable());
    EXPECT_TRUE(mkisofs.canonicalFilePath().endsWith(QStringLiteral("genisoimage")));
}

} // namespace
