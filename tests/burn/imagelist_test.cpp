#include "burn/imagelist.h"

#include "platform/pathhelper.h"

#include "settings/programsettings.h"

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
    ProgramSettings m_settings;
};

// The chunks the build wrote, in order, one CR LF line each: up to the first
// gap, at most the build's count and one hundred; an old list goes whole. The
// list is beside the output file, its last extension replaced.
TEST_F(ImageListTest, ListHoldsTheChunksTheBuildWrote)
{
    struct Row
    {
        const char* output;
        int chunks; // present on disk
        int limit;  // the build's count
        int listed;
    };
    const Row rows[] = {
        {"movie.iso", 3, Mkisofs::ChunkLimit, 3},    {"gap.iso", 2, Mkisofs::ChunkLimit, 2},
        {"many.iso", 101, Mkisofs::ChunkLimit, 100}, {"older.iso", 5, 2, 2},
        {"none.iso", 0, Mkisofs::ChunkLimit, 0},     {"a.b.iso", 1, Mkisofs::ChunkLimit, 1},
        {"noext", 1, Mkisofs::ChunkLimit, 1},
    };
    Touch("gap.iso_03");
    QFile old(Path("a.b.lst"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();
    for (const Row& row : rows) {
        const QString output = QLatin1String(row.output);
        Chunks(output, row.chunks);
        ASSERT_TRUE(WriteImageListFile(Path(output), row.limit)) << row.output;
        QStringList expected;
        for (int n = 0; n < row.listed; ++n)
            expected << output + QString::asprintf("_%02d", n);
        EXPECT_EQ(Read(StripExtension(output) + ".lst"), Lines(expected)) << row.output;
        EXPECT_EQ(ImageListPath(Path(output)), Path(StripExtension(output) + ".lst"));
    }
}

// Written only when the setting is on; one that cannot be written is skipped
// without a word, and the recorder then reports the missing source itself.
TEST_F(ImageListTest, WritesOnlyWhenSplitIsOnAndSkipsAFailure)
{
    Chunks("movie.iso", 1);
    Touch("movie.lst");
    for (int value : {0, 2, -1}) {
        Split(value);
        WriteImageList(m_settings, Path("movie.iso"));
        EXPECT_EQ(Read("movie.lst"), "") << value;
    }
    Split(1);
    WriteImageList(m_settings, Path("movie.iso"));
    EXPECT_EQ(Read("movie.lst"), Lines({"movie.iso_00"}));
    EXPECT_FALSE(WriteImageListFile(Path("missing-folder/movie.iso")));
    WriteImageList(m_settings, Path("missing-folder/movie.iso"));
    EXPECT_TRUE(m_settings.TakeNotices().isEmpty());
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
    EXPECT_EQ(ImageListPath("movie.iso"), "movie.lst");
    EXPECT_EQ(ImageListPath("/movie.iso"), "/movie.lst");
}

} // namespace
