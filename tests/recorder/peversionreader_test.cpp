#include "recorder/peversionreader.h"
#include "recorder/productversion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

const QString kPeDir = QStringLiteral(ISOMINT_TEST_DATA_DIR "/pe");

QString Fixture(const char* name)
{
    return kPeDir + QLatin1Char('/') + QLatin1String(name);
}

QByteArray FixtureBytes(const char* name)
{
    QFile file(Fixture(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

PeVersionResult Parse(const QByteArray& bytes)
{
    MemoryByteSource source(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return ReadPeProductVersion(source);
}

QString VersionText(const PeVersionResult& r)
{
    if (r.status != PeVersionStatus::Found)
        return {};
    return QString::asprintf("%d.%d.%d.%d", r.product[0], r.product[1], r.product[2], r.product[3]);
}

// Where the VS_VERSIONINFO block starts: six bytes before its UTF-16 key.
qsizetype VersionBlockAt(const QByteArray& bytes)
{
    const QByteArray key = QByteArray("V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0", 30);
    const qsizetype at = bytes.indexOf(key);
    EXPECT_GT(at, 6);
    return at - 6;
}

void Put32(QByteArray& bytes, qsizetype at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

struct FixtureVersion
{
    const char* file;
    const char* version;
};

const FixtureVersion kFixtures[] = {
    {"recorder-3.1.6.0.exe", "3.1.6.0"},
    {"recorder-3.1.7.0.exe", "3.1.7.0"},
    {"recorder-3.1.9.0.exe", "3.1.9.0"},
    {"recorder-3.2.0.0.exe", "3.2.0.0"},
    {"recorder-3.2.1.0.exe", "3.2.1.0"},
    {"recorder-3.2.2.0.exe", "3.2.2.0"},
    {"recorder-3.2.2.1.exe", "3.2.2.1"},
    {"recorder-3.1.10.0.exe", "3.1.10.0"},
    {"recorder-10.0.0.0-pe64.exe", "10.0.0.0"},          // PE32+
    {"recorder-product-differs.exe", "65535.2.40000.4"}, // file version 4.0.0.1
    // With several languages the system prefers language-neutral, then English
    // (United States), then the first listed; the lowest id is not the rule.
    {"recorder-german-english.exe", "3.2.2.1"},  // 0x407 3.1.6.0, 0x409 3.2.2.1
    {"recorder-neutral-english.exe", "3.2.2.0"}, // 0x000 3.2.2.0, 0x409 3.1.6.0
    {"recorder-czech-german.exe", "3.2.0.0"},    // 0x405 3.2.0.0, 0x407 3.1.6.0
    // A block may state up to 4 bytes more than its resource holds, as the
    // system reads it, when the fixed record lies within the resource.
    {"recorder-length-plus-4.exe", "3.2.2.1"},
};

TEST(ProductVersionTest, ReadsEveryFixturesProductVersionSilently)
{
    for (const FixtureVersion& f : kFixtures) {
        const ProductVersion read = ReadProductVersion(Fixture(f.file));
        EXPECT_EQ(read.version, QLatin1String(f.version)) << f.file;
        EXPECT_EQ(read.warning, QString()) << f.file;
    }
}

TEST(ProductVersionTest, FileWithoutVersionWarnsWithItsPath)
{
    QTemporaryDir dir;
    QFile text(dir.filePath(QStringLiteral("notes.exe")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("MZ but nothing else of an executable");
    text.close();

    const QString paths[] = {Fixture("no-resources.exe"),
                             Fixture("rcdata-only.exe"),
                             dir.filePath(QStringLiteral("missing.exe")),
                             text.fileName(),
                             dir.path(),
                             QStringLiteral("/dev/zero"),
                             QString()};
    for (const QString& path : paths) {
        const ProductVersion read = ReadProductVersion(path);
        EXPECT_EQ(read.version, QString()) << path.toStdString();
        EXPECT_EQ(read.warning, QStringLiteral("Can't receive file information for file ") + path);
    }
}

// A version resource whose fixed record is unusable: no version, and no
// message, since the file's version information itself was there.
TEST(ProductVersionTest, UnusableFixedRecordGivesEmptyVersionWithoutMessage)
{
    QByteArray bad = FixtureBytes("recorder-3.2.2.1.exe");
    const qsizetype block = VersionBlockAt(bad);
    Put32(bad, block + 40, 0xFEEF04BC); // signature
    QByteArray noValue = FixtureBytes("recorder-3.2.2.1.exe");
    noValue[block + 2] = 0; // wValueLength
    noValue[block + 3] = 0;

    QTemporaryDir dir;
    for (const QByteArray& bytes : {bad, noValue}) {
        EXPECT_EQ(Parse(bytes).status, PeVersionStatus::NoFixedInfo);
        QFile file(dir.filePath(QStringLiteral("recorder.exe")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        const ProductVersion read = ReadProductVersion(file.fileName());
        EXPECT_EQ(read.version, QString());
        EXPECT_EQ(read.warning, QString());
    }
}

TEST(PeVersionReaderTest, DamagedHeadersOrBlockMeanNoVersionInformation)
{
    const QByteArray good = FixtureBytes("recorder-3.2.2.1.exe");
    const qsizetype block = VersionBlockAt(good);
    const quint32 peOffset = qFromLittleEndian<quint32>(good.constData() + 0x3C);
    struct Damage
    {
        const char* what;
        qsizetype at;
        quint32 value;
    };
    const Damage damages[] = {
        {"DOS magic", 0, 0x00005A4E},
        {"PE offset far past the end", 0x3C, 0xFFFFFFF0},
        {"PE offset at the DOS header", 0x3C, 0},
        {"PE signature", peOffset, 0x00004551},
        {"optional header magic", peOffset + 24, 0x0000010C},
        {"key of the version block", block + 6, 0x00530057},
        {"block longer than its resource", block, 0x0000FFFF},
    };
    for (const Damage& d : damages) {
        QByteArray bytes = good;
        Put32(bytes, d.at, d.value);
        EXPECT_EQ(Parse(bytes).status, PeVersionStatus::NoVersionInfo) << d.what;
    }
    EXPECT_EQ(Parse(QByteArray()).status, PeVersionStatus::NoVersionInfo);
}

// Four bytes past the resource are read (see kFixtures), five are not.
TEST(PeVersionReaderTest, BlockLengthFiveBytesPastTheResourceIsNotRead)
{
    QByteArray plusFive = FixtureBytes("recorder-length-plus-4.exe");
    const qsizetype block = VersionBlockAt(plusFive);
    const auto length = qFromLittleEndian<quint16>(plusFive.constData() + block);
    qToLittleEndian<quint16>(static_cast<quint16>(length + 1), plusFive.data() + block);
    EXPECT_EQ(Parse(plusFive).status, PeVersionStatus::NoVersionInfo);
}

// The version data comes last in these files: every shorter prefix must fail
// cleanly, and from the end of the fixed record on the version is whole.
TEST(PeVersionReaderTest, EveryTruncationFailsCleanlyUntilTheFixedRecordIsWhole)
{
    for (const char* name : {"recorder-3.2.2.1.exe", "recorder-10.0.0.0-pe64.exe"}) {
        const QByteArray bytes = FixtureBytes(name);
        const qsizetype needed = VersionBlockAt(bytes) + 40 + 52;
        for (qsizetype n = 0; n <= bytes.size(); ++n) {
            const PeVersionResult r = Parse(bytes.left(n));
            if (n < needed) {
                ASSERT_NE(r.status, PeVersionStatus::Found) << name << " cut at " << n;
            } else {
                ASSERT_EQ(r.status, PeVersionStatus::Found) << name << " cut at " << n;
            }
        }
    }
}

// Overwriting any single byte with 0x00 or 0xFF may hide the version but must
// never produce a different one, except in the product version itself.
TEST(PeVersionReaderTest, NoSingleByteDamageInventsAVersion)
{
    for (const char* name : {"recorder-3.1.7.0.exe", "recorder-10.0.0.0-pe64.exe"}) {
        const QByteArray good = FixtureBytes(name);
        const QString version = VersionText(Parse(good));
        ASSERT_FALSE(version.isEmpty());
        const qsizetype product = VersionBlockAt(good) + 40 + 16;
        int hidden = 0;
        for (qsizetype at = 0; at < good.size(); ++at) {
            if (at >= product && at < product + 8)
                continue;
            for (const char value : {'\0', '\xFF'}) {
                QByteArray bytes = good;
                bytes[at] = value;
                const PeVersionResult r = Parse(bytes);
                if (r.status == PeVersionStatus::Found)
                    ASSERT_EQ(VersionText(r), version) << name << " byte " << at;
                else
                    ++hidden;
            }
        }
        EXPECT_GT(hidden, 0) << name;
    }
}

} // namespace
