#include "imaging/imageverifier.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Images built by the real genisoimage from copies of the committed DVD-Video folders.
class ImageVerifierTest : public ::testing::Test
{
protected:
    // A copy of a fixture folder, with the AUDIO_TS the builder wants.
    QString Source(const char* fixture)
    {
        const QString source = m_temp.filePath(fixture);
        std::filesystem::copy(
            QStringLiteral(ISOMINT_TEST_DATA_DIR "/dvd/%1").arg(fixture).toStdString(),
            source.toStdString(), std::filesystem::copy_options::recursive);
        QDir().mkpath(source + "/AUDIO_TS");
        return source;
    }

    // Builds the image as a build does; the builder's exit status must be 0.
    QString Build(const QString& source)
    {
        const QString image = source + ".iso";
        QProcess builder;
        builder.setProcessChannelMode(QProcess::MergedChannels);
        builder.start(QStringLiteral("genisoimage"), {"-dvd-video", "-o", image, source});
        const bool finished = builder.waitForFinished(120000);
        EXPECT_TRUE(finished && builder.exitStatus() == QProcess::NormalExit &&
                    builder.exitCode() == 0)
            << builder.readAll().toStdString();
        return image;
    }

    // Writes the image as chunks of the given sizes, the last one taking the rest.
    QStringList Split(const QString& image, const QList<qint64>& sizes)
    {
        QFile whole(image);
        EXPECT_TRUE(whole.open(QIODevice::ReadOnly));
        QStringList parts;
        for (int n = 0; n <= sizes.size(); ++n) {
            parts.append(QStringLiteral("%1_%2").arg(image).arg(n, 2, 10, QLatin1Char('0')));
            QFile part(parts.last());
            EXPECT_TRUE(part.open(QIODevice::WriteOnly));
            part.write(n < sizes.size() ? whole.read(sizes[n]) : whole.readAll());
        }
        return parts;
    }

    static void ExpectFailureNaming(const ImageVerification& result, const QString& text)
    {
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.report.join('\n').contains(text))
            << result.report.join('\n').toStdString();
        for (const QString& line : result.report)
            EXPECT_TRUE(line.startsWith("Image check: ")) << line.toStdString();
    }

    QTemporaryDir m_temp;
};

TEST_F(ImageVerifierTest, GoodImagesPassWithOneSummaryLine)
{
    const QString one = Source("one-titleset");
    const ImageVerification single = VerifyDvdImage(one, {Build(one)});
    EXPECT_TRUE(single.ok) << single.report.join('\n').toStdString();
    // The reader's warning that it cannot decrypt is noise for an image just built.
    EXPECT_TRUE(single.readerMessages.isEmpty()) << single.readerMessages.join('\n').toStdString();
    EXPECT_EQ(single.report,
              QStringList{"Image check: 5 files of VIDEO_TS found with their sizes, 4 information "
                          "files equal to the source's; the video manager and 1 title set read "
                          "back."});

    const QString two = Source("two-titlesets");
    const ImageVerification both = VerifyDvdImage(two, {Build(two)});
    EXPECT_TRUE(both.ok) << both.report.join('\n').toStdString();
    ASSERT_EQ(both.report.size(), 1);
    EXPECT_TRUE(both.report[0].contains("8 files")) << both.report[0].toStdString();
    EXPECT_TRUE(both.report[0].contains("2 title sets")) << both.report[0].toStdString();
}

// Chunk boundaries fall inside the file system, an information file and a VOB.
TEST_F(ImageVerifierTest, ASplitImageReadAsOneStreamPasses)
{
    const QString source = Source("two-titlesets");
    const QStringList parts = Split(Build(source), {300001, 456789});
    const ImageVerification result = VerifyDvdImage(source, parts);
    EXPECT_TRUE(result.ok) << result.report.join('\n').toStdString();
    EXPECT_TRUE(result.report.join('\n').contains("2 title sets"));
}

// Files the builder cannot find an empty one's place for, hidden files and
// non-DVD names are still in the image, so they must not fail it.
TEST_F(ImageVerifierTest, EmptyHiddenAndOddlyNamedFilesPass)
{
    const QString source = Source("one-titleset");
    for (const char* name : {"EMPTY.DAT", ".hidden", "thumbs.db"}) {
        QFile file(source + "/VIDEO_TS/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(name).startsWith("EMPTY") ? QByteArray() : QByteArray("x"));
    }
    const ImageVerification result = VerifyDvdImage(source, {Build(source)});
    EXPECT_TRUE(result.ok) << result.report.join('\n').toStdString();
    EXPECT_TRUE(result.report.join('\n').contains("8 files"));
}

// genisoimage skips a linked file with a warning and still exits 0.
TEST_F(ImageVerifierTest, ALinkedVobLeftOutOfTheImageFails)
{
    const QString source = Source("two-titlesets");
    const QString vob = source + "/VIDEO_TS/VTS_02_1.VOB";
    const QString elsewhere = m_temp.filePath("elsewhere.VOB");
    ASSERT_TRUE(QFile::rename(vob, elsewhere));
    ASSERT_TRUE(QFile::link(elsewhere, vob));
    const ImageVerification result = VerifyDvdImage(source, {Build(source)});
    ExpectFailureNaming(result, "VTS_02_1.VOB is missing from the image");
    EXPECT_EQ(result.report.size(), 1) << result.report.join('\n').toStdString();
}

// The name holds a per cent sign, which must reach the report as it is.
TEST_F(ImageVerifierTest, AFileGrownAfterTheBuildFailsWithBothSizes)
{
    const QString source = Source("one-titleset");
    QFile extra(source + "/VIDEO_TS/EXTRA%2.DAT");
    ASSERT_TRUE(extra.open(QIODevice::WriteOnly));
    extra.write(QByteArray(1234, 'x'));
    extra.close();
    const QString image = Build(source);
    ASSERT_TRUE(extra.open(QIODevice::Append));
    extra.write(QByteArray(4444, 'y'));
    extra.close();
    ExpectFailureNaming(VerifyDvdImage(source, {image}),
                        "EXTRA%2.DAT has 1234 bytes in the image, 5678 in the source");
}

// Damaged information files with the right sizes: only reading them shows it.
TEST_F(ImageVerifierTest, UnreadableInformationFilesFail)
{
    const QString source = Source("two-titlesets");
    const QString image = Build(source);
    QFile file(image);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    // The second title set's IFO and BUP are the last two blocks that start as one.
    QList<qint64> titleSetBlocks;
    for (qint64 at = 0; at < bytes.size(); at += 2048) {
        if (bytes.mid(at, 12) == "DVDVIDEO-VTS")
            titleSetBlocks.append(at);
    }
    ASSERT_EQ(titleSetBlocks.size(), 4);
    for (qint64 at : titleSetBlocks.mid(2))
        bytes.replace(at, 12, "XXXXXXXXXXXX");
    ASSERT_TRUE(file.seek(0) && file.write(bytes) == bytes.size() && file.flush());
    const ImageVerification titleSet = VerifyDvdImage(source, {image});
    ExpectFailureNaming(titleSet, "the information file of title set 2 cannot be read");
    EXPECT_FALSE(titleSet.report.join('\n').contains("title set 1"));
    EXPECT_FALSE(titleSet.readerMessages.isEmpty()); // the reader's own account, for the log

    for (qint64 at = 0; at < bytes.size(); at += 2048) {
        if (bytes.mid(at, 12) == "DVDVIDEO-VMG")
            bytes.replace(at, 12, "XXXXXXXXXXXX");
    }
    ASSERT_TRUE(file.seek(0) && file.write(bytes) == bytes.size() && file.flush());
    ExpectFailureNaming(VerifyDvdImage(source, {image}),
                        "the information file of the video manager cannot be read");
}

TEST_F(ImageVerifierTest, BrokenImagesFailWithoutACrash)
{
    const QString source = Source("one-titleset");
    QFile good(Build(source));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    const auto write = [this](const char* name, const QByteArray& content) {
        QFile file(m_temp.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    };
    QByteArray garbage(bytes.size(), Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(garbage.data()), garbage.size() / 4);
    // Right descriptors, garbage behind them.
    QByteArray damaged = bytes.left(17 * 2048) + garbage.mid(17 * 2048);

    const QString unreadable = "the image cannot be read as a DVD-Video disc";
    ExpectFailureNaming(
        VerifyDvdImage(source, {write("truncated.iso", bytes.left(100 * 1024))}),
        QStringLiteral("the image has 102400 bytes, its file system needs %1").arg(bytes.size()));
    ExpectFailureNaming(VerifyDvdImage(source, {write("empty.iso", {})}), unreadable);
    ExpectFailureNaming(VerifyDvdImage(source, {write("garbage.iso", garbage)}), unreadable);
    ExpectFailureNaming(VerifyDvdImage(source, {write("damaged.iso", damaged)}), unreadable);
    ExpectFailureNaming(VerifyDvdImage(source, {m_temp.filePath("missing.iso")}),
                        "missing.iso cannot be opened");
    ExpectFailureNaming(VerifyDvdImage(source, {}), "Image check: no image was written");
    // libdvdread would read a folder as a disc, so the source must not pass as its own image.
    ExpectFailureNaming(VerifyDvdImage(source, {source}), "one-titleset cannot be opened");
}

TEST_F(ImageVerifierTest, IncompleteOrMisorderedChunksFail)
{
    const QString source = Source("two-titlesets");
    const QStringList parts = Split(Build(source), {300000, 400000});
    const ImageVerification result = VerifyDvdImage(source, parts.mid(0, 2));
    ExpectFailureNaming(result, "the image has 700000 bytes, its file system needs");
    ExpectFailureNaming(result, "VTS_02_1.VOB runs past the end of the image");
    ExpectFailureNaming(result, "the information file of title set 2 cannot be read");

    ExpectFailureNaming(VerifyDvdImage(source, {parts[0], parts[2], parts[1]}), "Image check: ");
    ExpectFailureNaming(VerifyDvdImage(source, parts + QStringList{m_temp.filePath("gone")}),
                        "gone cannot be opened");
}

TEST(ImageVerifierSourceTest, ASourceWithoutVideoTsFails)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const ImageVerification result = VerifyDvdImage(temp.path(), {temp.filePath("x.iso")});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.report,
              QStringList{"Image check: the source folder's VIDEO_TS cannot be listed"});
}

} // namespace
