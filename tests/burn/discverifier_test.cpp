// Reading a recorded disc back: the image's length of the disc must equal the
// image byte for byte, whatever follows it; a cancel ends even a stalled read.
// A whole read-back that passes is the recording session's test.
#include "burn/discverifier.h"
#include "support/eventloop.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void Write(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

TEST(DiscVerifier, ComparesTheImageLengthOfTheDisc)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a")), b = dir.filePath(QStringLiteral("b"));
    const QString disc = dir.filePath(QStringLiteral("disc"));
    // Parts larger than one read, so that blocks cross the part boundary.
    const QByteArray first(3 << 20 | 1000, 'a'), second(5000, 'b');
    Write(a, first);
    Write(b, second);
    const qint64 length = first.size() + second.size();
    QByteArray damaged = first + second;
    damaged[(3 << 20) + 4321] = 'x';
    struct Case
    {
        const char* name;
        QByteArray disc;
        QStringList image;
        qint64 length;
        bool matches;
    };
    for (const Case& test : {
             Case{"same, then padding",
                  first + second + QByteArray(4096, '\0'),
                  {a, b},
                  length,
                  true},
             Case{"parts swapped", first + second, {b, a}, length, false},
             Case{"one byte differs", damaged, {a, b}, length, false},
             Case{"disc shorter", first, {a, b}, length, false},
             // Bytes after the file system's length are no part of the image.
             Case{"image longer than its length", first, {a, b}, first.size(), true},
             Case{"length beyond the image", first + second + "c", {a, b}, length + 1, false},
         }) {
        SCOPED_TRACE(test.name);
        Write(disc, test.disc);
        EXPECT_EQ(DiscVerifier::Matches(test.image, test.length, disc), test.matches);
    }
    EXPECT_FALSE(DiscVerifier::Matches({a}, first.size(), dir.filePath(QStringLiteral("none"))));

    EXPECT_EQ(DiscVerifier::ReadablePath(QStringLiteral("stdio:/tmp/x")), "/tmp/x");
    EXPECT_EQ(DiscVerifier::ReadablePath(QStringLiteral("/dev/sr0")), "/dev/sr0");
    EXPECT_EQ(DiscVerifier::ReadablePath(QStringLiteral("STDIO:/tmp/x")), "STDIO:/tmp/x");
}

// A disc that gives no data (a pipe whose writer is silent) holds the read;
// Cancel still ends it at once, with no thread left and nothing reported.
TEST(DiscVerifier, CancelEndsAStalledReadAtOnce)
{
    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("image"));
    Write(image, QByteArray(1 << 20, 'i'));
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Held open for writing, so the verifier's reads wait instead of ending.
    const int writer = ::open(QFile::encodeName(fifo).constData(), O_RDWR);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "iii", 3), 3);

    DiscVerifier verifier;
    bool finished = false;
    QObject::connect(&verifier, &DiscVerifier::Finished, &verifier, [&] { finished = true; });
    verifier.Start({image}, 1 << 20, QStringLiteral("stdio:") + fifo);
    RunFor(200);
    ASSERT_TRUE(verifier.IsRunning());
    verifier.Cancel(); // waiting for the read here would hang the test
    EXPECT_FALSE(verifier.IsRunning());
    RunFor(100);
    EXPECT_FALSE(finished);
    ::close(writer);
}

} // namespace
