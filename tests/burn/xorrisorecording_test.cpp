// Real xorriso runs against stdio pseudo-drives: a file written byte for byte,
// chunks streamed as one track, a success only on xorriso's own report, a full
// device, and an abort mid-write.
#include "burn/drivespeeds.h"
#include "burn/xorrisorecording.h"
#include "support/eventloop.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Pattern(int size, int seed)
{
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 31 + seed) % 251);
    return data;
}

void Write(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A disc holds the image byte for byte, followed at most by the zeros that
// round the written area up to a 32 KiB block.
bool DiscHolds(const QByteArray& disc, const QByteArray& image)
{
    const QByteArray tail = disc.mid(image.size());
    return disc.startsWith(image) && tail.size() < 32 * 1024 && tail.count('\0') == tail.size();
}

class XorrisoRecordingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_program = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
        if (m_program.isEmpty())
            GTEST_SKIP() << "xorriso is not installed";
    }

    // Runs to the end and returns the result; program: the real xorriso if empty.
    RecordingResult Record(XorrisoCall call, const QStringList& sources,
                           const QString& program = {})
    {
        bool ended = false;
        RecordingResult result = RecordingResult::Aborted;
        // Disconnected at the end: the slot refers to this call's locals.
        const QMetaObject::Connection end =
            QObject::connect(&m_run, &XorrisoRecording::Ended, &m_run, [&](RecordingResult r, int) {
                ended = true;
                result = r;
            });
        const QMetaObject::Connection progress =
            QObject::connect(&m_run, &XorrisoRecording::Progress, &m_run,
                             [this](int percent) { m_percents.append(percent); });
        EXPECT_TRUE(m_run.Start(program.isEmpty() ? m_program : program, std::move(call), sources))
            << m_run.Output().toStdString();
        EXPECT_TRUE(RunUntil([&] { return ended; }, 60000));
        QObject::disconnect(end);
        QObject::disconnect(progress);
        return result;
    }

    static XorrisoCall To(const QString& drive)
    {
        XorrisoCall call;
        call.drive = drive;
        return call;
    }

    QString m_program;
    QTemporaryDir m_dir;
    XorrisoRecording m_run;
    QList<int> m_percents;
};

// One image file as it is, or chunks streamed in order as one track. xorriso
// quotes the device in its report of success; a device with quotes and shell
// characters must still be recognised in it.
TEST_F(XorrisoRecordingTest, ImageOrChunksAreWrittenByteForByte)
{
    QStringList chunks;
    QByteArray whole;
    // Sizes not a multiple of the feeder's block, the last one small.
    for (int i = 0; i < 3; ++i) {
        const QByteArray part = Pattern(i == 2 ? 2048 * 3 : 2048 * 700, i);
        chunks << m_dir.filePath(QStringLiteral("image.iso_%1").arg(i, 2, 10, QLatin1Char('0')));
        Write(chunks.last(), part);
        whole += part;
    }
    Write(m_dir.filePath(QStringLiteral("image.iso")), whole);
    for (const auto& [name, sources] :
         {std::pair{QStringLiteral("disc"), QStringList{m_dir.filePath("image.iso")}},
          std::pair{QStringLiteral("it's \"$HOME\" `x`"), chunks}}) {
        SCOPED_TRACE(name.toStdString());
        m_percents.clear();
        const QString disc = m_dir.filePath(name);
        EXPECT_EQ(Record(To("stdio:" + disc), sources), RecordingResult::Success)
            << m_run.Output().toStdString();
        EXPECT_TRUE(DiscHolds(Read(disc), whole));
        EXPECT_EQ(m_percents.value(m_percents.size() - 1), 100);
    }
}

// Exit code 0 is not enough: xorriso must say that the write to this device
// completed, and the medium must then hold the image's blocks, no fewer and
// no more than its padding; the log says which was missing.
TEST_F(XorrisoRecordingTest, SuccessCountsOnlyWithXorrisosOwnReport)
{
    const QString image = m_dir.filePath(QStringLiteral("image.iso"));
    Write(image, Pattern(2 * 1024 * 1024, 2)); // 1024 blocks
    const QString elsewhere = m_dir.filePath(QStringLiteral("elsewhere"));
    Write(elsewhere, "#!/bin/sh\necho \"Writing to 'stdio:/tmp/other' completed successfully.\"\n");
    QFile::setPermissions(elsewhere, QFile::permissions(elsewhere) | QFileDevice::ExeOwner);
    struct Row
    {
        const char* name;
        QString program; // empty: the real xorriso
        qint64 imageLength;
        const char* logged;
    };
    const Row rows[] = {
        {"silent exit 0", QStringLiteral("/bin/true"), -1,
         "xorriso did not report \"Writing to 'stdio:"},
        {"another device", elsewhere, -1, "xorriso did not report \"Writing to 'stdio:"},
        {"half the image", QString(), 4 * 1024 * 1024,
         "xorriso reported 1024 data blocks on the medium; the image has 2048.\n"},
        {"more than its padding", QString(), 32 * 2048,
         "xorriso reported 1024 data blocks on the medium; the image has 32.\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        XorrisoCall call = To("stdio:" + m_dir.filePath("disc"));
        call.imageLength = row.imageLength;
        EXPECT_EQ(Record(call, {image}, row.program), RecordingResult::Unconfirmed);
        EXPECT_TRUE(m_run.Output().contains(QLatin1String(row.logged)))
            << m_run.Output().toStdString();
    }
}

TEST_F(XorrisoRecordingTest, FullDeviceFailsAndMissingChunkDoesNotStart)
{
    Write(m_dir.filePath(QStringLiteral("image.iso")), Pattern(2 * 1024 * 1024, 3));
    EXPECT_EQ(Record(To("stdio:/dev/full"), {m_dir.filePath(QStringLiteral("image.iso"))}),
              RecordingResult::Failed);
    EXPECT_TRUE(m_run.Output().contains(QStringLiteral("No space left on device")));

    XorrisoRecording other;
    EXPECT_FALSE(other.Start(
        m_program, To("stdio:" + m_dir.filePath(QStringLiteral("disc"))),
        {m_dir.filePath(QStringLiteral("image.iso")), m_dir.filePath(QStringLiteral("missing"))}));
    EXPECT_FALSE(other.IsRunning());
}

TEST_F(XorrisoRecordingTest, AbortMidWriteLeavesNoProcess)
{
    // A pipe nobody drains: xorriso fills it and then waits, mid-write.
    const QString fifo = m_dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    Write(m_dir.filePath(QStringLiteral("image.iso")), Pattern(8 * 1024 * 1024, 4));
    bool ended = false;
    RecordingResult result = RecordingResult::Success;
    QObject::connect(&m_run, &XorrisoRecording::Ended, &m_run, [&](RecordingResult r, int) {
        ended = true;
        result = r;
    });
    ASSERT_TRUE(
        m_run.Start(m_program, To("stdio:" + fifo), {m_dir.filePath(QStringLiteral("image.iso"))}));
    ASSERT_TRUE(RunUntil(
        [&] { return m_run.Output().contains(QStringLiteral("Beginning to write")); }, 20000))
        << m_run.Output().toStdString();
    const qint64 pid = m_run.Pid();
    m_run.Abort();
    EXPECT_FALSE(ended) << "the abort waits for nothing";
    EXPECT_TRUE(RunUntil([&] { return ended; }, 5000));
    EXPECT_EQ(result, RecordingResult::Aborted);
    EXPECT_FALSE(m_run.IsRunning());
    EXPECT_FALSE(ProcessRunning(pid));
    ::close(reader);
}

// The speed query answers later, never holding up the caller: with what xorriso
// printed, or empty when it cannot start or does not answer in time.
TEST_F(XorrisoRecordingTest, SpeedQueryAnswersLaterAndGivesUpOnADriveThatDoesNotAnswer)
{
    qputenv("ISOMINT_FAKE_XORRISO", "ignoreterm hang");
    struct Case
    {
        QString program;
        QString drive;
        const char* expected; // in the answer; null: empty
    };
    for (const Case& c :
         {Case{m_program, QStringLiteral("stdio:") + m_dir.filePath("disc"),
               "Drive current: -outdev 'stdio:"},
          Case{QStringLiteral(ISOMINT_FAKE_XORRISO), QStringLiteral("/dev/sr0"), nullptr},
          Case{m_dir.filePath(QStringLiteral("absent")), QString(), nullptr}}) {
        DriveSpeedQuery query;
        std::optional<QString> answer;
        QObject::connect(&query, &DriveSpeedQuery::Answered,
                         [&answer](const QString& output) { answer = output; });
        query.Start(c.program, c.drive, std::chrono::milliseconds(300));
        EXPECT_EQ(query.IsRunning(), c.program != m_dir.filePath(QStringLiteral("absent")));
        ASSERT_TRUE(RunUntil([&answer] { return answer.has_value(); }, 20000))
            << c.program.toStdString();
        if (c.expected != nullptr)
            EXPECT_TRUE(answer->contains(QLatin1String(c.expected))) << answer->toStdString();
        else
            EXPECT_TRUE(answer->isEmpty()) << answer->toStdString();
        EXPECT_FALSE(query.IsRunning());
    }
    qunsetenv("ISOMINT_FAKE_XORRISO");
}

} // namespace
