// Reading a recorded disc back: the image's bytes, then only zeros, match.
#include "burn/discverifier.h"
#include "support/eventloop.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    Write(a, QByteArray(3000, 'a'));
    Write(b, QByteArray(5000, 'b'));
    Write(disc, QByteArray(3000, 'a') + QByteArray(5000, 'b') + QByteArray(4096, '\0'));
    EXPECT_TRUE(DiscVerifier::Matches({a, b}, disc));
    EXPECT_FALSE(DiscVerifier::Matches({b, a}, disc));

    QByteArray damaged = QByteArray(3000, 'a') + QByteArray(5000, 'b');
    damaged[4321] = 'x';
    Write(disc, damaged);
    EXPECT_FALSE(DiscVerifier::Matches({a, b}, disc));
    Write(disc, QByteArray(3000, 'a'));
    EXPECT_FALSE(DiscVerifier::Matches({a, b}, disc)); // too short
    EXPECT_FALSE(DiscVerifier::Matches({a}, dir.filePath(QStringLiteral("none"))));

    EXPECT_EQ(DiscVerifier::ReadablePath(QStringLiteral("stdio:/tmp/x")), "/tmp/x");
    EXPECT_EQ(DiscVerifier::ReadablePath(QStringLiteral("/dev/sr0")), "/dev/sr0");

    DiscVerifier verifier;
    std::optional<bool> result;
    QObject::connect(&verifier, &DiscVerifier::Finished, &verifier,
                     [&](bool matches) { result = matches; });
    verifier.Start({a}, QStringLiteral("stdio:") + disc);
    ASSERT_TRUE(RunUntil([&] { return result.has_value(); }, 10000));
    EXPECT_TRUE(*result);
}

} // namespace
