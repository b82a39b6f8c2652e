#include "imaging/windowbuild.h"

#include "fakes/fakebuildwindow.h"
#include "fakes/testprogramfolder.h"
#include "settings/programsettings.h"
#include "support/discreader.h"
#include "support/eventloop.h"
#include "support/filetimes.h"
#include "support/rerunasnobody.h"
#include "support/scriptedmessagebox.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// The real image builder, the program folder's mkisofs, through StartBuild.
class EndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_settings.SetProgramFolder(m_scratch.Path());
        m_scratch.WriteSettings(0, 0, 0, QString(), QString(), 1);
        m_engine.SetProgramFolder(ISOMINT_PROGRAM_DIR);
        m_window.HandOverImagesOf(m_engine, m_settings);
        m_source = m_scratch.File("My DVD");
        ASSERT_TRUE(
            TestProgramFolder::CopyTree(ISOMINT_TEST_DATA_DIR "/dvd/two-titlesets", m_source));
        LowerCaseTree(m_source);
        ASSERT_TRUE(QFile::exists(m_source + "/video_ts/vts_02_1.vob"));
    }

    bool Build(const QString& output, const QString& volume)
    {
        m_window.controls = {m_source, output, volume};
        m_engine.StartBuild();
        return RunUntil([this] { return !m_engine.IsBuilding(); }, 120000);
    }

    QByteArray Capture() const
    {
        QFile file(m_engine.CaptureFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A program folder whose mkisofs is a shell script that does its part, runs
    // the real builder, and on its success does the part after (with $out the
    // image) and exits 0. It holds the settings too, for a build host.
    QString UseWrapper(const QByteArray& before, const QByteArray& after = {})
    {
        const QString folder = m_scratch.File("wrapped");
        QDir().mkpath(folder);
        QFile::remove(folder + "/stencil.ini");
        QFile::copy(m_scratch.File("stencil.ini"), folder + "/stencil.ini");
        QFile script(folder + "/mkisofs");
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        const QByteArray builder = "\"" ISOMINT_PROGRAM_DIR "/mkisofs\" \"$@\"";
        script.write("#!/bin/sh\n" + before + "\n" +
                     (after.isEmpty()
                          ? "exec " + builder + "\n"
                          : builder + " || exit $?\n" + OutputOf + after + "\nexit 0\n"));
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_engine.SetProgramFolder(folder);
        return folder;
    }

    // Shell lines that set $out to the argument after -o.
    static constexpr char OutputOf[] =
        "prev=; for a in \"$@\"; do [ \"$prev\" = -o ] && out=$a; prev=$a; done\n";

    // Leaves a file of the user's under a chunk name, dated as given, and lets
    // the clock pass its change time.
    static void PlantStale(const QString& path, const QDateTime& modified)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("from an earlier, longer build");
        file.flush();
        ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
        file.close();
        WaitPastChangeTime(path);
    }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    TestProgramFolder m_scratch{QStringLiteral(ISOMINT_FAKE_MKISOFS)}; // settings only
    ScriptedMessageBox m_boxes;
    FakeBuildWindow m_window{m_boxes};
    ProgramSettings m_settings{m_boxes};
    WindowBuild m_engine{m_window, m_window.Boxes(), m_settings, {20ms, 100ms, 500ms}};
    QString m_source;
};

TEST_F(EndToEndTest, ALowerCaseFolderBecomesAnImageThatLsdvdReads)
{
    const QString image = m_scratch.File("e2e.iso");
    ASSERT_TRUE(Build(image, "e2e disc"));
    ASSERT_EQ(m_boxes.Count(), 1) << Capture().toStdString();
    EXPECT_EQ(m_boxes.Last().caption, "Information") << Capture().toStdString();
    EXPECT_EQ(m_window.controls.volumeId, "E2E_DISC");
    EXPECT_EQ(m_window.position, 100);
    EXPECT_TRUE(QFile::exists(m_source + "/VIDEO_TS/VTS_02_1.VOB"));
    EXPECT_TRUE(QFile::exists(m_source + "/AUDIO_TS"));

    const DiscInfo disc = ReadWithLsdvd(image);
    EXPECT_EQ(disc.title, "E2E_DISC");
    EXPECT_EQ(disc.titles, 2);
    // The capture holds genisoimage's own report.
    EXPECT_TRUE(Capture().contains("extents written")) << Capture().toStdString();
}

TEST_F(EndToEndTest, AMissingIfoAfterAYesAnswerFailsInMkisofs)
{
    ASSERT_TRUE(QFile::remove(m_source + "/video_ts/vts_01_0.ifo"));
    ASSERT_TRUE(QFile::remove(m_source + "/video_ts/vts_02_0.bup"));
    m_boxes.Answer(IdYes);
    ASSERT_TRUE(Build(m_scratch.File("broken.iso"), "broken"));
    ASSERT_EQ(m_boxes.Count(), 2);
    EXPECT_EQ(m_boxes.Shown().at(0).text,
              "Missing file: " + m_source + "/VIDEO_TS/VTS_02_0.BUP\nDo you want to continue?");
    EXPECT_EQ(m_boxes.Last().text, "\"mkisofs\" reports some errors.\nSee log for details.")
        << Capture().toStdString();
    EXPECT_FALSE(Capture().isEmpty());
}

// genisoimage leaves out a file that turned into a link after the folder check,
// warns and exits 0; the read-back check turns that into a failure.
TEST_F(EndToEndTest, AFileTheBuilderLeftOutIsAFailureAndTheImageGoes)
{
    const QString vob = m_source + "/VIDEO_TS/VTS_02_1.VOB";
    const QString moved = m_scratch.File("moved.vob");
    UseWrapper("mv '" + QFile::encodeName(vob) + "' '" + QFile::encodeName(moved) + "' && ln -s '" +
               QFile::encodeName(moved) + "' '" + QFile::encodeName(vob) + "'");
    const QString image = m_scratch.File("dropped.iso");
    ASSERT_TRUE(Build(image, "dropped"));
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last().text, "\"mkisofs\" reports some errors.\nSee log for details.")
        << Capture().toStdString();
    EXPECT_TRUE(Capture().contains("extents written")) << Capture().toStdString();
    EXPECT_TRUE(Capture().contains("Image check: VTS_02_1.VOB")) << Capture().toStdString();
    EXPECT_TRUE(Capture().contains("Removed the incomplete image file"));
    EXPECT_FALSE(QFile::exists(image));
}

TEST_F(EndToEndTest, TheImageCheckIsInTheLogOfAGoodBuild)
{
    ASSERT_TRUE(Build(m_scratch.File("good.iso"), "good"));
    EXPECT_EQ(m_boxes.Last().caption, "Information");
    EXPECT_TRUE(QRegularExpression("Image check: .*2 title sets")
                    .match(QString::fromUtf8(Capture()))
                    .hasMatch())
        << Capture().toStdString();
}

TEST_F(EndToEndTest, AnOutputFileInsideTheSourceNeverReachesTheBuilder)
{
    const QString vob = m_source + "/video_ts/vts_01_1.vob";
    const QByteArray before = Read(vob);
    ASSERT_TRUE(Build(vob, "overwrite"));
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_TRUE(m_boxes.Last().text.contains("lies inside the Source Directory"));
    EXPECT_EQ(Read(vob), before); // untouched, and still under its lower-case name
    EXPECT_FALSE(QFile::exists(m_source + "/AUDIO_TS"));
    EXPECT_TRUE(Capture().isEmpty());
}

// Chunks an earlier build left, one dated an hour ahead: a good build lists
// only its own chunk, a failed one removes only that.
TEST_F(EndToEndTest, ASplitBuildListsAndRemovesOnlyTheChunksItWrote)
{
    m_scratch.WriteSettings(1, 0, 0, QString(), QString(), 0);
    const QString image = m_scratch.File("movie.iso");
    const QString list = m_scratch.File("movie.lst");
    struct Case
    {
        QByteArray before; // in the wrapper, before the builder
        const char* caption;
    };
    for (const Case& test : {Case{"", "Information"}, Case{"ulimit -f 200", "Error"}}) {
        PlantStale(image + "_01", QDateTime::currentDateTime().addSecs(3600));
        PlantStale(image + "_02", QDateTime::currentDateTime().addDays(-1));
        QFile::remove(list);
        m_boxes.Clear();
        UseWrapper(test.before);
        ASSERT_TRUE(Build(image, "movie"));
        EXPECT_EQ(m_boxes.Last().caption, test.caption) << Capture().toStdString();
        for (const char* stale : {"_01", "_02"})
            EXPECT_EQ(Read(image + stale), "from an earlier, longer build") << test.before.data();
        if (test.before.isEmpty()) {
            EXPECT_EQ(Read(list), "IMAGELIST\r\n" + QFile::encodeName(image) + "_00\r\n");
            EXPECT_EQ(ReadWithLsdvd(image + "_00").titles, 2);
        } else {
            EXPECT_FALSE(QFile::exists(image + "_00"));
            EXPECT_FALSE(QFile::exists(list));
        }
    }
}

// libdvdread reads a damaged information file's backup without a word, and a
// damaged backup is not read at all; both must fail the build.
TEST_F(EndToEndTest, ADamagedInformationFileInTheImageFailsTheBuild)
{
    for (const char* name : {"VIDEO_TS.IFO", "VTS_01_0.IFO", "VTS_02_0.BUP"}) {
        m_boxes.Clear();
        // Zeroes the file's first block, found with isoinfo.
        UseWrapper({}, "lba=$(isoinfo -l -i \"$out\" | sed -n 's/.*\\[ *\\([0-9]*\\) .*\\] *" +
                           QByteArray(name) +
                           ";1 *$/\\1/p')\n[ -n \"$lba\" ] || exit 9\n"
                           "dd if=/dev/zero of=\"$out\" bs=2048 seek=$lba count=1 "
                           "conv=notrunc status=none");
        const QString image = m_scratch.File("damaged.iso");
        ASSERT_TRUE(Build(image, "damaged"));
        ASSERT_EQ(m_boxes.Count(), 1);
        EXPECT_EQ(m_boxes.Last().text, "\"mkisofs\" reports some errors.\nSee log for details.")
            << Capture().toStdString();
        EXPECT_TRUE(Capture().contains("Image check: " + QByteArray(name) +
                                       " differs from the source from byte 0 on"))
            << Capture().toStdString();
        EXPECT_FALSE(QFile::exists(image));
    }
}

// Each is refused with its name before the source changes or mkisofs runs:
// the builder would wait on a FIFO for ever, and cannot write a folder.
TEST_F(EndToEndTest, AnOutputThatIsNotARegularFileIsRefused)
{
    const QString image = m_scratch.File("fifo.iso");
    struct Case
    {
        QString blocker; // made a FIFO, or a folder when it ends in "/"
        int split;
    };
    const Case cases[] = {
        {image, 0},
        {image + "/", 0},
        {image + "_00", 1},
        {image + ".lock", 0},
    };
    for (const Case& test : cases) {
        m_boxes.Clear();
        m_scratch.WriteSettings(test.split, 0, 0, QString(), QString(), 0);
        const QString blocker = QDir::cleanPath(test.blocker);
        ASSERT_TRUE(test.blocker.endsWith('/') ? QDir().mkdir(blocker)
                                               : mkfifo(QFile::encodeName(blocker), 0600) == 0);
        ASSERT_TRUE(Build(image, "fifo"));
        ASSERT_EQ(m_boxes.Count(), 1);
        EXPECT_EQ(m_boxes.Last().text, "\"" + blocker +
                                           "\" exists and is not a regular file, so the image "
                                           "cannot be written there.\nChoose another Output File.");
        EXPECT_TRUE(Capture().isEmpty());
        EXPECT_FALSE(QFile::exists(m_source + "/AUDIO_TS")); // the source untouched
        EXPECT_TRUE(QDir().rmdir(blocker) || QFile::remove(blocker));
    }
}

// genisoimage leaves out what it cannot read, folders too, and exits 0.
TEST_F(EndToEndTest, AnUnreadableEntryAnywhereInTheSourceIsRefused)
{
    if (geteuid() == 0) {
        if (!CanRerunAsNobody())
            GTEST_SKIP() << "permissions do not hold for root";
        EXPECT_TRUE(RerunAsNobody());
        return;
    }
    // The first build upper-cases the DVD-Video names and makes AUDIO_TS.
    const struct
    {
        const char* path;
        bool folder;
    } cases[] = {
        {"EXTRAS", true},      {"EXTRAS/deep/er", true}, {"notes.txt", false},
        {"AUDIO_TS/a", false}, {"VIDEO_TS/menus", true},
    };
    for (const auto& test : cases) {
        m_boxes.Clear();
        const QString path = m_source + "/" + test.path;
        ASSERT_TRUE(QDir().mkpath(test.folder ? path : QFileInfo(path).path()));
        ASSERT_TRUE(test.folder || QFile(path).open(QIODevice::WriteOnly));
        ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0), 0);
        const QString image = m_scratch.File("unreadable.iso");
        ASSERT_TRUE(Build(image, "unreadable"));
        ASSERT_EQ(m_boxes.Count(), 1);
        EXPECT_EQ(m_boxes.Last().text, "Cannot read \"" + path +
                                           "\": Permission denied.\nThe image would be built "
                                           "without it.");
        EXPECT_TRUE(Capture().isEmpty());
        EXPECT_FALSE(QFile::exists(image));
        ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0700), 0);
        ASSERT_TRUE(test.folder ? QDir(path).removeRecursively() : QFile::remove(path));
    }
    ASSERT_TRUE(Build(m_scratch.File("readable.iso"), "readable"));
    EXPECT_EQ(m_boxes.Last().caption, "Information") << Capture().toStdString();
}

// A second build to the same file, from a program of its own, is refused while
// the first one runs; once that has ended, or was killed, the file is free again.
TEST_F(EndToEndTest, TwoBuildsToOneOutputFileOneAtATime)
{
    const QString image = m_scratch.File("shared.iso");
    const QString go = m_scratch.File("go");
    const QString first = m_scratch.File("first");
    ASSERT_TRUE(TestProgramFolder::CopyTree(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset", first));
    QDir().mkpath(first + "/AUDIO_TS");
    const QString folder =
        UseWrapper("while [ ! -e '" + QFile::encodeName(go) + "' ]; do sleep 0.05; done");
    m_engine.SetProgramFolder(ISOMINT_PROGRAM_DIR);
    QProcess host;
    host.start(ISOMINT_BUILD_HOST, {folder, first, image, m_scratch.File("exit")});
    ASSERT_TRUE(host.waitForReadyRead(10000)); // the build has begun
    // The same file, also through a linked folder.
    ASSERT_TRUE(QFile::link(m_scratch.Path(), m_scratch.File("alias")));
    for (const QString& output : {image, m_scratch.File("alias/shared.iso")}) {
        m_boxes.Clear();
        ASSERT_TRUE(Build(output, "second"));
        ASSERT_EQ(m_boxes.Count(), 1);
        EXPECT_EQ(m_boxes.Last().text, "The Output File \"" + output +
                                           "\" is being written by another build.\nWait until it "
                                           "has finished, or choose another Output File.");
        EXPECT_TRUE(Capture().isEmpty());
    }

    QFile(go).open(QIODevice::WriteOnly);
    ASSERT_TRUE(host.waitForFinished(60000));
    const DiscInfo disc = ReadWithLsdvd(image);
    EXPECT_EQ(disc.title, "HOST");
    EXPECT_EQ(disc.titles, 1);
    EXPECT_FALSE(QFile::exists(image + ".lock"));

    // The lock of a program killed in the middle of a build is taken over.
    QFile::remove(go);
    host.start(ISOMINT_BUILD_HOST, {folder, first, image, m_scratch.File("exit")});
    ASSERT_TRUE(host.waitForReadyRead(10000));
    host.kill();
    ASSERT_TRUE(host.waitForFinished(10000));
    ASSERT_TRUE(QFile::exists(image + ".lock"));
    m_boxes.Clear();
    ASSERT_TRUE(Build(image, "second"));
    EXPECT_EQ(m_boxes.Last().caption, "Information") << Capture().toStdString();
    EXPECT_EQ(ReadWithLsdvd(image).titles, 2);
    EXPECT_FALSE(QFile::exists(image + ".lock"));
}

// genisoimage does not follow a source folder given as a link; the check and
// the build both work on the folder it leads to.
TEST_F(EndToEndTest, ASourceDirectoryThatIsALinkIsBuiltFromItsFolder)
{
    const QString link = m_scratch.File("linked dvd");
    ASSERT_TRUE(QFile::link(m_source, link));
    const QString image = m_scratch.File("linked.iso");
    m_window.controls = {link, image, "linked"};
    m_engine.StartBuild();
    ASSERT_TRUE(RunUntil([this] { return !m_engine.IsBuilding(); }, 120000));
    EXPECT_EQ(m_boxes.Last().caption, "Information") << Capture().toStdString();
    EXPECT_EQ(m_window.controls.sourceDirectory, QFileInfo(m_source).canonicalFilePath());
    EXPECT_TRUE(QFile::exists(m_source + "/VIDEO_TS/VTS_01_1.VOB"));
    EXPECT_EQ(ReadWithLsdvd(image).titles, 2);
}

// A write that fails part way, as on a full disk: the file size limit kills
// genisoimage with SIGXFSZ once the image passes 100 KiB.
TEST_F(EndToEndTest, AFailedWriteRemovesThePartialImage)
{
    UseWrapper("ulimit -f 200");
    const QString image = m_scratch.File("partial.iso");
    ASSERT_TRUE(Build(image, "partial"));
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last().text, "\"mkisofs\" reports some errors.\nSee log for details.");
    EXPECT_FALSE(QFile::exists(image));
    EXPECT_TRUE(Capture().contains("Removed the incomplete image file \"" +
                                   QFile::encodeName(image) + "\"."))
        << Capture().toStdString();
}

} // namespace
