#include "imaging/chunkstream.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ChunkStreamTest : public ::testing::Test
{
protected:
    QString Part(const char* name, const QByteArray& content)
    {
        QFile file(m_temp.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }

    QByteArray Read(qint64 offset, qint64 length, bool* ok)
    {
        QByteArray data(length, '?');
        *ok = m_stream.Read(offset, data.data(), length);
        return data;
    }

    QTemporaryDir m_temp;
    ChunkStream m_stream;
};

// An empty part in the middle must not shift the bytes after it.
TEST_F(ChunkStreamTest, ReadsAcrossPartsAsOneStream)
{
    ASSERT_TRUE(m_stream.Open({Part("a", "abc"), Part("b", ""), Part("c", "defg")}));
    EXPECT_EQ(m_stream.Size(), 7);
    bool ok = false;
    EXPECT_EQ(Read(0, 7, &ok), "abcdefg");
    EXPECT_TRUE(ok);
    EXPECT_EQ(Read(2, 3, &ok), "cde");
    EXPECT_TRUE(ok);
    EXPECT_EQ(Read(6, 1, &ok), "g");
    EXPECT_TRUE(ok);
    Read(5, 3, &ok);
    EXPECT_FALSE(ok);
    Read(-1, 2, &ok);
    EXPECT_FALSE(ok);
    Read(8, 0, &ok);
    EXPECT_FALSE(ok);
}

TEST_F(ChunkStreamTest, RefusesAMissingPartOrAFolder)
{
    ChunkStream missing;
    EXPECT_FALSE(missing.Open({Part("a", "abc"), m_temp.filePath("none")}));
    EXPECT_EQ(missing.FailedPart(), m_temp.filePath("none"));
    ChunkStream folder;
    EXPECT_FALSE(folder.Open({m_temp.path()}));
    EXPECT_EQ(folder.FailedPart(), m_temp.path());
    EXPECT_FALSE(ChunkStream().Open({}));
}

} // namespace
