#include "imaging/newestpiece.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The reading the shortcut must match: fgets with a 254-byte buffer from where
// the last read stopped, every piece replacing the buffer, until a read finds
// nothing. EOF is cleared before each poll, since the file keeps growing.
class PieceByPieceReader
{
public:
    explicit PieceByPieceReader(const QString& path)
        : m_file(std::fopen(QFile::encodeName(path).constData(), "r"))
    {}
    ~PieceByPieceReader() { std::fclose(m_file); }

    QByteArray Poll()
    {
        std::clearerr(m_file);
        char buffer[NewestPieceReader::PieceLength + 1];
        while (std::fgets(buffer, sizeof buffer, m_file) != nullptr)
            m_piece = QByteArray(buffer); // as a C string, like atoi sees it
        return m_piece;
    }

private:
    std::FILE* m_file;
    QByteArray m_piece;
};

class CaptureUnderTest
{
public:
    CaptureUnderTest() : m_path(m_dir.filePath("capture"))
    {
        m_fd = open(QFile::encodeName(m_path).constData(), O_CREAT | O_RDWR | O_APPEND, 0600);
    }
    ~CaptureUnderTest() { close(m_fd); }

    void Append(const QByteArray& text)
    {
        ASSERT_EQ(write(m_fd, text.data(), text.size()), text.size());
    }
    int Fd() const { return m_fd; }
    QString Path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    QString m_path;
    int m_fd = -1;
};

// atoi without its undefined overflow: strtol, clamped to int.
int AtoiClamped(const QByteArray& text)
{
    const long value = std::strtol(text.constData(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

// Appends the text in the given slices, polling both readers after each, and
// compares what atoi would see and the number it gives.
void ExpectSameAsPieceByPiece(const QList<QByteArray>& slices)
{
    CaptureUnderTest capture;
    PieceByPieceReader reference(capture.Path());
    NewestPieceReader reader;
    int poll = 0;
    for (const QByteArray& slice : slices) {
        capture.Append(slice);
        const QByteArray expected = reference.Poll();
        reader.Poll(capture.Fd());
        const QByteArray actual(reader.Piece().constData()); // up to a NUL, as atoi reads
        ASSERT_EQ(actual, expected) << "poll " << poll;
        ASSERT_EQ(LeadingNumber(actual), AtoiClamped(expected)) << "poll " << poll;
        ++poll;
    }
}

TEST(NewestPieceTest, LongLinesAreCutIntoPiecesFromTheirStart)
{
    const QByteArray line253(253, '7');
    // A 253-character line's feed is a piece of its own: atoi gives 0, not 777...
    ExpectSameAsPieceByPiece({"  42.17% done\n" + line253 + "\n"});
    ExpectSameAsPieceByPiece({QByteArray(252, 'x') + "\n"});
    ExpectSameAsPieceByPiece({QByteArray(254, 'x') + "\n"});
    ExpectSameAsPieceByPiece({QByteArray(253, 'x') + " 55% done\n"});
    ExpectSameAsPieceByPiece({QByteArray(506, 'x') + "\n", QByteArray(506, 'y') + "12\n"});
    ExpectSameAsPieceByPiece({QByteArray(1000, 'x') + "  77 rest of line"});
}

TEST(NewestPieceTest, IncompleteLinesAndQuietPollsKeepTheirPlace)
{
    // A line still being written: its first part is read, the rest continues
    // the piece count from where the last poll stopped, not from the line start.
    ExpectSameAsPieceByPiece({"  12.5", "0% done\n  13", "", ".0% done\n", ""});
    ExpectSameAsPieceByPiece({QByteArray(200, 'a'), QByteArray(100, 'b') + "\n", "9"});
    ExpectSameAsPieceByPiece({"abc\n", "", "", "  99.9% done\r\n", "warning: x\n"});
    ExpectSameAsPieceByPiece({"\n", "\n\n", "150\n", "-5\n", "+8% done"});
}

TEST(NewestPieceTest, MatchesPieceByPieceReadingOnRandomCaptures)
{
    QRandomGenerator random(20261208);
    const QByteArray alphabet = " \t\n\n\n\r0123456789%.-+abc";
    for (int round = 0; round < 200; ++round) {
        QList<QByteArray> slices;
        const int count = random.bounded(1, 8);
        for (int s = 0; s < count; ++s) {
            QByteArray slice;
            const int length = random.bounded(0, random.bounded(2) ? 40 : 900);
            for (int i = 0; i < length; ++i)
                slice += alphabet.at(random.bounded(alphabet.size()));
            slices << slice;
        }
        ExpectSameAsPieceByPiece(slices);
    }
}

TEST(NewestPieceTest, NothingNewLeavesTheEarlierPiece)
{
    CaptureUnderTest capture;
    NewestPieceReader reader;
    EXPECT_FALSE(reader.Poll(capture.Fd()));
    EXPECT_TRUE(reader.Piece().isEmpty());
    capture.Append("  42.17% done, estimate finish\n");
    EXPECT_TRUE(reader.Poll(capture.Fd()));
    EXPECT_FALSE(reader.Poll(capture.Fd()));
    EXPECT_EQ(reader.Piece(), "  42.17% done, estimate finish\n");
    EXPECT_EQ(reader.Offset(), 31);
}

TEST(NewestPieceTest, LeadingNumberFollowsAtoi)
{
    for (const char* text : {"  42.17% done", "plain text", "", "-5 x", "+7", "\t\n\v\f\r 12",
                             "12345 bytes", "0x1F", "--3", "- 3", "007"}) {
        EXPECT_EQ(LeadingNumber(text), std::atoi(text)) << text;
    }
    // Beyond int the value is clamped instead of overflowing.
    EXPECT_GT(LeadingNumber("99999999999999999999"), 100);
    EXPECT_LT(LeadingNumber("-99999999999999999999"), 0);
}

} // namespace
