#include "burn/imagelist.h"

#include "settings/programsettings.h"
#include "support/scriptedmessagebox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ImageListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_settings.SetProgramFolder(m_dir.path());
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    void Touch(const QString& name) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    void Chunks(const QString& output, int count) const
    {
        for (int n = 0; n < count; ++n)
            Touch(output + QString::asprintf("_%02d", n));
    }

    void Split(int value) const
    {
        QFile ini(Path("stencil.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("SplitImageFile = " + QByteArray::number(value) + "\r\n");
    }

    QByteArray Read(const QString& name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QByteArray Lines(const QStringList& chunks) const
    {
        QByteArray text = "IMAGELIST\r\n";
        for (const QString& chunk : chunks)
            text += QFile::encodeName(Path(chunk)) + "\r\n";
        return text;
    }

    QTemporaryDir m_dir;
    ScriptedMessageBox m_boxes;
    ProgramSettings m_settings{m_boxes};
};

TEST_F(ImageListTest, ListsEveryChunkInOrderWithCrLf)
{
    Chunks("movie.iso", 3);
    Split(1);
    EXPECT_EQ(WriteImageList(m_settings, Path("movie.iso")), 0);
    EXPECT_EQ(Read("movie.lst"), Lines({"movie.iso_00", "movie.iso_01", "movie.iso_02"}));
}

TEST_F(ImageListTest, WritesOnlyWhenSplitIsExactlyOne)
{
    Chunks("movie.iso", 1);
    Touch("movie.lst");
    for (int value : {0, 2, -1}) {
        Split(value);
        EXPECT_EQ(WriteImageList(m_settings, Path("movie.iso")), 0);
        EXPECT_EQ(Read("movie.lst"), "") << value;
    }
}

TEST_F(ImageListTest, StopsAtTheFirstGapAndAtOneHundred)
{
    Chunks("gap.iso", 2);
    Touch("gap.iso_03");
    ASSERT_TRUE(WriteImageListFile(Path("gap.iso")));
    EXPECT_EQ(Read("gap.lst"), Lines({"gap.iso_00", "gap.iso_01"}));

    Chunks("many.iso", 101);
    ASSERT_TRUE(WriteImageListFile(Path("many.iso")));
    const QList<QByteArray> lines = Read("many.lst").split('\n');
    EXPECT_EQ(lines.size(), 102); // header, 100 chunks, and the empty rest after the last CR LF
    EXPECT_EQ(lines.at(100), QFile::encodeName(Path("many.iso_99")) + "\r");
}

TEST_F(ImageListTest, ReplacesAnOldListWholeAndKeepsTheChunkNamesExtension)
{
    QFile old(Path("a.b.lst"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();
    Chunks("a.b.iso", 1);
    ASSERT_TRUE(WriteImageListFile(Path("a.b.iso")));
    EXPECT_EQ(Read("a.b.lst"), Lines({"a.b.iso_00"}));
}

TEST_F(ImageListTest, NoChunkGivesTheHeaderAlone)
{
    ASSERT_TRUE(WriteImageListFile(Path("moved.iso")));
    EXPECT_EQ(Read("moved.lst"), "IMAGELIST\r\n");
}

TEST_F(ImageListTest, ListPathIsBesideTheOutputFile)
{
    EXPECT_EQ(ImageListPath("/images/movie.iso"), "/images/movie.lst");
    EXPECT_EQ(ImageListPath("/images/a.b.iso"), "/images/a.b.lst");
    EXPECT_EQ(ImageListPath("/images/noext"), "/images/noext.lst");
    EXPECT_EQ(ImageListPath("/movie.iso"), "/movie.lst");
    EXPECT_EQ(ImageListPath("movie.iso"), "movie.lst");
}

// A bare name is in the working folder: its list and chunks stay there, not in the root.
TEST_F(ImageListTest, ABareNameIsListedBesideItself)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    Chunks("movie.iso", 2);
    const bool written = WriteImageListFile("movie.iso");
    const QStringList chunks = ImageChunkFiles("movie.iso");
    QDir::setCurrent(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(Read("movie.lst"), "IMAGELIST\r\nmovie.iso_00\r\nmovie.iso_01\r\n");
    EXPECT_EQ(chunks, QStringList({"movie.iso_00", "movie.iso_01"}));
}

TEST_F(ImageListTest, AListThatCannotBeWrittenIsSkipped)
{
    EXPECT_FALSE(WriteImageListFile(Path("missing-folder/movie.iso")));
    Split(1);
    EXPECT_EQ(WriteImageList(m_settings, Path("missing-folder/movie.iso")), 0);
    EXPECT_EQ(m_boxes.Count(), 0);
}

} // namespace
