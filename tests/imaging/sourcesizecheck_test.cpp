#include "fakes/checkmessages.h"
#include "imaging/directorysize.h"
#include "imaging/sourcesizecheck.h"
#include "support/rerunasnobody.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kCaption = QStringLiteral("DVD Directory Size");

QString QuestionFor(const char* megabytes)
{
    return QStringLiteral("The size of the created image exceeds the capacity\nof a single layer "
                          "DVD media by ca. ") +
           QLatin1String(megabytes) + QStringLiteral(" MB!\n\nDo you want to continue?");
}

// Builds trees of sparse files: sizes are set, nothing large is written.
class SourceSizeTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_root.isValid()); }

    QString Path(const QString& relative) const { return m_root.filePath(relative); }

    void MakeFile(const QString& relative, qint64 size)
    {
        const QString path = Path(relative);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(size)) << qPrintable(file.errorString());
    }

    QTemporaryDir m_root;
    CheckMessages m_boxes;
};

TEST_F(SourceSizeTest, SumsEveryFileAtAnyDepth)
{
    MakeFile("VIDEO_TS/VIDEO_TS.IFO", 12288);
    MakeFile("VIDEO_TS/VTS_01_1.VOB", 1000);
    MakeFile("extra/deeper/still/.hidden", 7);
    MakeFile("extra/empty", 0);
    ASSERT_TRUE(QDir(m_root.path()).mkpath("empty/folder"));
    EXPECT_EQ(MeasureDirectorySize(m_root.path()), 12288 + 1000 + 7);
}

TEST_F(SourceSizeTest, LargeFilesCountWithTheirFullSize)
{
    const qint64 beyond32Bits = (qint64(1) << 32) + 5;
    MakeFile("a", beyond32Bits);
    EXPECT_EQ(MeasureDirectorySize(m_root.path()), double(beyond32Bits));

    // The total stays exact to the byte far beyond a DVD's size.
    const qint64 terabyte = qint64(1) << 40;
    MakeFile("sub/b", terabyte + 1);
    MakeFile("sub/c", terabyte + 3);
    EXPECT_EQ(MeasureDirectorySize(m_root.path()), double(beyond32Bits + 2 * terabyte + 4));
}

TEST_F(SourceSizeTest, TrailingSlashesMakeNoDifference)
{
    MakeFile("VIDEO_TS/x", 4096);
    EXPECT_EQ(MeasureDirectorySize(m_root.path() + "/"), 4096);
    EXPECT_EQ(MeasureDirectorySize(m_root.path() + "///"), 4096);
}

TEST_F(SourceSizeTest, LinksBelowTheSourceAreNotFollowed)
{
    MakeFile("real/file", 100);
    // A link to a large file, and a link back up that would loop forever.
    QTemporaryDir outside;
    QFile big(outside.filePath("big"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(qint64(5) << 30));
    ASSERT_TRUE(QFile::link(big.fileName(), Path("real/link-to-big")));
    ASSERT_TRUE(QFile::link(m_root.path(), Path("real/loop")));
    ASSERT_TRUE(QFile::link(outside.path(), Path("outside")));
    EXPECT_EQ(MeasureDirectorySize(m_root.path()), 100);

    // The chosen folder itself may be a link.
    QTemporaryDir other;
    const QString linkedSource = other.filePath("source");
    ASSERT_TRUE(QFile::link(m_root.path(), linkedSource));
    EXPECT_EQ(MeasureDirectorySize(linkedSource), 100);
}

TEST_F(SourceSizeTest, UnreadableSubfoldersCountNothingAndTheWalkGoesOn)
{
    if (RanAsNobodyInstead())
        return;
    MakeFile("a/locked/inside", 1000);
    MakeFile("b/file", 10);
    ASSERT_EQ(chmod(QFile::encodeName(Path("a/locked")).constData(), 0), 0);
    const double total = MeasureDirectorySize(m_root.path());
    chmod(QFile::encodeName(Path("a/locked")).constData(), 0700);
    EXPECT_EQ(total, 10);
}

TEST_F(SourceSizeTest, NothingToMeasureStopsWithoutAMessage)
{
    EXPECT_EQ(CheckSourceSize(Path("missing"), m_boxes), SizeVerdict::Unmeasured);
    EXPECT_EQ(CheckSourceSize(m_root.path(), m_boxes), SizeVerdict::Unmeasured);
    MakeFile("VIDEO_TS/empty.ifo", 0);
    EXPECT_EQ(CheckSourceSize(m_root.path(), m_boxes), SizeVerdict::Unmeasured);
    EXPECT_EQ(CheckSourceSize(QString(), m_boxes), SizeVerdict::Unmeasured);
    MakeFile("file", 10);
    EXPECT_EQ(CheckSourceSize(Path("file"), m_boxes),
              SizeVerdict::Unmeasured); // a file is no folder
    EXPECT_EQ(m_boxes.Count(), 0);
}

TEST_F(SourceSizeTest, UpToTheCapacityGoesOnWithoutAMessage)
{
    MakeFile("small", 1);
    EXPECT_EQ(CheckSourceSize(m_root.path(), m_boxes), SizeVerdict::GoOn);
    MakeFile("small", 4'700'000'000);
    EXPECT_EQ(CheckSourceSize(m_root.path(), m_boxes), SizeVerdict::GoOn);
    EXPECT_EQ(m_boxes.Count(), 0);
}

TEST_F(SourceSizeTest, OneByteTooManyAsksAboutZeroMegabytes)
{
    MakeFile("VIDEO_TS/VTS_01_1.VOB", 4'000'000'000);
    MakeFile("VIDEO_TS/VTS_01_2.VOB", 700'000'001);
    m_boxes.Answer(false);
    EXPECT_EQ(CheckSourceSize(m_root.path(), m_boxes), SizeVerdict::Declined);
    ASSERT_EQ(m_boxes.Count(), 1);
    const OutcomeText expected{kCaption, QuestionFor("0"), OutcomeKind::Question};
    EXPECT_EQ(m_boxes.Last(), expected);

    m_boxes.Answer(true);
    EXPECT_EQ(CheckSourceSize(m_root.path() + "/", m_boxes), SizeVerdict::GoOn);
    EXPECT_EQ(m_boxes.Count(), 2);
}

TEST_F(SourceSizeTest, TheExcessIsReportedInWholeMegabytes)
{
    MakeFile("a", 5'000'000'000);
    m_boxes.Answer(true);
    EXPECT_EQ(CheckSourceSize(m_root.path(), m_boxes), SizeVerdict::GoOn);
    EXPECT_EQ(m_boxes.Last().text, QuestionFor("286"));

    MakeFile("b/c", 3'500'000'000);
    m_boxes.Answer(false);
    EXPECT_EQ(CheckSourceSize(m_root.path(), m_boxes), SizeVerdict::Declined);
    EXPECT_EQ(m_boxes.Last().text, QuestionFor("3624"));
}

} // namespace
