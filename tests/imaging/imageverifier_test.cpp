#include "imaging/dvdvideonames.h"
#include "imaging/imageverifier.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
        QString source = m_temp.filePath(fixture);
        std::filesystem::copy(
            QStringLiteral(ISOMINT_TEST_DATA_DIR "/dvd/%1").arg(fixture).toStdString(),
            source.toStdString(), std::filesystem::copy_options::recursive);
        QDir().mkpath(source + "/AUDIO_TS");
        return source;
    }

    // Builds the image as a build does; the builder's exit status must be 0.
    // shareLinks: the builder's default, hard-linked files as one copy.
    QString Build(const QString& source, bool shareLinks = false)
    {
        QString image = source + ".iso";
        QStringList arguments{"-dvd-video", "-o", image, source};
        if (!shareLinks)
            arguments.insert(1, "-no-cache-inodes");
        QProcess builder;
        builder.setProcessChannelMode(QProcess::MergedChannels);
        builder.start(QStringLiteral("genisoimage"), arguments);
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
                          "back, laid out as their information files say."});

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

// Only a player's files are checked: a stray "VIDEO_TS.IFO;1" once failed a
// good image as missing. The others are named, per cent sign and all.
TEST_F(ImageVerifierTest, StrayFilesAreNotedButMayNotTakeABackupsSectors)
{
    const QString source = Source("one-titleset");
    const QStringList strays{".hidden", "EMPTY.DAT", "EXTRA%2.DAT", "Thumbs.db", "VIDEO_TS.IFO;1"};
    for (const QString& name : strays.mid(0, 3) + strays.mid(4)) {
        QFile file(source + "/VIDEO_TS/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name.startsWith("EMPTY") ? QByteArray() : QByteArray(1234, 'x'));
    }
    // As a duplicate finder leaves it: the same bytes as a backup, hard-linked.
    std::filesystem::create_hard_link((source + "/VIDEO_TS/VTS_01_0.BUP").toStdString(),
                                      (source + "/VIDEO_TS/Thumbs.db").toStdString());
    const QString image = Build(source);
    // Changed after the build, as nothing checks them.
    QFile extra(source + "/VIDEO_TS/EXTRA%2.DAT");
    ASSERT_TRUE(extra.open(QIODevice::Append));
    extra.write("more");
    extra.close();
    const ImageVerification result = VerifyDvdImage(source, {image});
    EXPECT_TRUE(result.ok) << result.report.join('\n').toStdString();
    ASSERT_EQ(result.report.size(), strays.size() + 1) << result.report.join('\n').toStdString();
    for (qsizetype n = 0; n < strays.size(); ++n)
        EXPECT_EQ(result.report[n], "Image check: note: \"" + strays[n] +
                                        "\" is not part of the DVD-Video and was not checked.");
    EXPECT_TRUE(result.report.last().contains("5 files")) << result.report.last().toStdString();

    // A backup needs sectors of its own, even from a stray that holds the same bytes.
    ExpectFailureNaming(VerifyDvdImage(source, {Build(source, true)}),
                        "title set 1: VTS_01_0.BUP starts at sector 362, on the sectors of "
                        "Thumbs.db from sector 362");
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

TEST_F(ImageVerifierTest, AFileGrownAfterTheBuildFailsWithBothSizes)
{
    const QString source = Source("one-titleset");
    const QString image = Build(source);
    QFile vob(source + "/VIDEO_TS/VTS_01_1.VOB");
    ASSERT_TRUE(vob.open(QIODevice::Append));
    vob.write(QByteArray(4444, 'y'));
    vob.close();
    ExpectFailureNaming(VerifyDvdImage(source, {image}),
                        "VTS_01_1.VOB has 86016 bytes in the image, 90460 in the source");
}

// A duplicate finder hard-links each backup to its information file. Given one
// copy of both, every file still reads whole, but everything after the first
// backup moves off the sectors the information files give.
TEST_F(ImageVerifierTest, HardLinkedBackupsNeedSectorsOfTheirOwn)
{
    const QString source = Source("two-titlesets");
    const qint64 size = QFileInfo(Build(source)).size();
    for (const char* name : {"VIDEO_TS", "VTS_01_0", "VTS_02_0"}) {
        const QString base = source + "/VIDEO_TS/" + name;
        ASSERT_TRUE(QFile::remove(base + ".BUP"));
        std::filesystem::create_hard_link((base + ".IFO").toStdString(),
                                          (base + ".BUP").toStdString());
    }
    const QString separate = Build(source);
    EXPECT_EQ(QFileInfo(separate).size(), size);
    const ImageVerification good = VerifyDvdImage(source, {separate});
    EXPECT_TRUE(good.ok) << good.report.join('\n').toStdString();

    // The fixture's sectors: VIDEO_TS.IFO at 280, 3 sectors; each title set's IFO 6
    // sectors, its VOB 42.
    const ImageVerification shared = VerifyDvdImage(source, {Build(source, true)});
    EXPECT_EQ(shared.report.join('\n'),
              "Image check: title set 1 starts at sector 3 counted from VIDEO_TS.IFO, the video "
              "manager expects sector 32\n"
              "Image check: title set 2 starts at sector 51 counted from VIDEO_TS.IFO, the video "
              "manager expects sector 86\n"
              "Image check: the video manager: VIDEO_TS.BUP starts at sector 280, expected at "
              "sector 283 or later, after its IFO and VOBs\n"
              "Image check: title set 1: VTS_01_0.BUP starts at sector 283, expected at sector "
              "331 or later, after its IFO and VOBs\n"
              "Image check: title set 2: VTS_02_0.BUP starts at sector 331, expected at sector "
              "379 or later, after its IFO and VOBs");
    EXPECT_FALSE(shared.ok);
}

// Damaged information files with the right sizes: only reading them, or
// comparing them with the source's, shows it. libdvdread reads a damaged
// information file's backup without a word, and a backup not at all.
TEST_F(ImageVerifierTest, DamagedInformationFilesFail)
{
    const QString source = Source("two-titlesets");
    QFile built(Build(source));
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    const QByteArray good = built.readAll();
    // The first blocks of the information files in sector order: the video
    // manager's IFO and BUP, then each title set's.
    QList<qint64> vmg;
    QList<qint64> vts;
    for (qint64 at = 0; at < good.size(); at += 2048) {
        if (good.mid(at, 12) == "DVDVIDEO-VMG")
            vmg.append(at);
        else if (good.mid(at, 12) == "DVDVIDEO-VTS")
            vts.append(at);
    }
    ASSERT_EQ(vmg.size(), 2);
    ASSERT_EQ(vts.size(), 4);
    const struct
    {
        QList<qint64> zeroed; // blocks
        QString text;
    } cases[] = {
        {{vmg[0]}, "VIDEO_TS.IFO differs from the source from byte 0 on"},
        {{vts[0]}, "VTS_01_0.IFO differs from the source from byte 0 on"},
        {{vts[3]}, "VTS_02_0.BUP differs from the source from byte 0 on"},
        {{vts[2], vts[3]}, "the information file of title set 2 cannot be read"},
        {{vmg[0], vmg[1]}, "the information file of the video manager cannot be read"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.text.toStdString());
        QByteArray bytes = good;
        for (const qint64 at : test.zeroed)
            bytes.replace(at, 2048, QByteArray(2048, '\0'));
        QFile image(m_temp.filePath("damaged.iso"));
        ASSERT_TRUE(image.open(QIODevice::WriteOnly) && image.write(bytes) == bytes.size());
        image.close();
        const ImageVerification result = VerifyDvdImage(source, {image.fileName()});
        ExpectFailureNaming(result, test.text);
        if (test.text.endsWith("cannot be read")) {
            EXPECT_FALSE(result.readerMessages.isEmpty()); // the reader's own account, for the log
            EXPECT_FALSE(result.report.join('\n').contains("title set 1"));
        }
    }
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

// Players match letters in any case, but no other character stands in for one.
TEST(DvdVideoNamesTest, OnlyThePlayersNamesMatchInEitherCase)
{
    for (const char* name : {"VIDEO_TS.IFO", "video_ts.bup", "Video_TS.Vob", "VTS_01_0.IFO",
                             "VTS_99_0.BUP", "vts_10_0.vob", "VTS_01_1.VOB", "VTS_42_9.VOB"})
        EXPECT_TRUE(IsDvdVideoFileName(name)) << name;
    for (const char* name :
         {"", "VIDEO_TS.IFO;1", "VIDEO_TS.DAT", "Thumbs.db", "VTS_00_0.IFO", "VTS_01_1.IFO",
          "VTS_01_2.BUP", "VTS_1_0.IFO", "VTS_001_0.IFO", "VTS_01_0.IFO\n", " VIDEO_TS.IFO",
          "VTS-01-0.IFO", "VTS_0A_0.IFO", "VIDEO_TS", "VTS_01_0.ifo.bak"})
        EXPECT_FALSE(IsDvdVideoFileName(name)) << name;
    // Folded to S and to a digit by Unicode rules.
    EXPECT_FALSE(IsDvdVideoFileName(QString::fromUtf8("VT\u017F_01_0.IFO")));
    EXPECT_FALSE(IsDvdVideoFileName(QString::fromUtf8("VTS_0\u0661_0.IFO")));

    const auto vob = ParseDvdVideoFileName("vts_12_3.vob");
    ASSERT_TRUE(vob);
    EXPECT_EQ(vob->kind, DvdVideoName::Kind::Video);
    EXPECT_EQ(vob->titleSet, 12);
    EXPECT_EQ(vob->part, 3);
    const auto backup = ParseDvdVideoFileName("VIDEO_TS.BUP");
    ASSERT_TRUE(backup);
    EXPECT_EQ(backup->kind, DvdVideoName::Kind::Backup);
    EXPECT_EQ(backup->titleSet, 0);
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
