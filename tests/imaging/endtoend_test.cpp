#include "imaging/buildengine.h"

#include "fakes/enginerun.h"
#include "fakes/testprogramfolder.h"
#include "support/discreader.h"
#include "support/eventloop.h"
#include "support/filetimes.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <cstdio>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// A tmpfs of its own, for a full or read-only disk; only root may mount one.
struct SmallDisk
{
    SmallDisk(const QString& folder, const QString& options) : path(folder)
    {
        mounted = QDir().mkpath(folder) &&
                  QProcess::execute("mount", {"-t", "tmpfs", "-o", options, "tmpfs", folder}) == 0;
    }
    ~SmallDisk()
    {
        if (mounted)
            QProcess::execute("umount", {path});
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    QString path;
    bool mounted = false;
};

// The real image builder, the program folder's mkisofs, driven by the engine.
class EndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_run.engine.SetProgramFolder(ISOMINT_PROGRAM_DIR);
        m_source = m_scratch.File("My DVD");
        ASSERT_TRUE(
            TestProgramFolder::CopyTree(ISOMINT_TEST_DATA_DIR "/dvd/two-titlesets", m_source));
        LowerCaseTree(m_source);
        ASSERT_TRUE(QFile::exists(m_source + "/video_ts/vts_02_1.vob"));
    }

    bool Build(const QString& output, const QString& volume)
    {
        return m_run.Build({m_source, output, volume, m_split, m_sizeCheck}, 120000);
    }

    QByteArray Capture() const { return m_run.Capture(); }
    std::string Log() const { return Capture().toStdString(); }

    // A program folder whose mkisofs is a shell script that does its part, runs
    // the real builder, and on its success does the part after (with $out the
    // image) and exits 0.
    QString UseWrapper(const QByteArray& before, const QByteArray& after = {})
    {
        QString folder = m_scratch.File("wrapped");
        QDir().mkpath(folder);
        QFile script(folder + "/mkisofs");
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        const QByteArray builder = "\"" ISOMINT_PROGRAM_DIR "/mkisofs\" \"$@\"";
        script.write("#!/bin/sh\n" + before + "\n" +
                     (after.isEmpty()
                          ? "exec " + builder + "\n"
                          : builder + " || exit $?\n" + OutputOf + after + "\nexit 0\n"));
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_run.engine.SetProgramFolder(folder);
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

    TestProgramFolder m_scratch{QStringLiteral(ISOMINT_FAKE_MKISOFS)}; // a scratch folder only
    EngineRun m_run{{20ms, 100ms, 500ms}};
    QString m_source;
    bool m_split = false;
    bool m_sizeCheck = true;
};

QStringList IsoinfoListing(const QString& image)
{
    QProcess isoinfo;
    isoinfo.start(QStringLiteral("isoinfo"), {"-f", "-i", image});
    isoinfo.waitForFinished(60000);
    return QString::fromLocal8Bit(isoinfo.readAllStandardOutput()).split('\n');
}

// The real builder refuses lower-case names; the folder check fixes them, and
// genisoimage does not follow a source folder given as a link, so the check
// and the build both work on the folder it leads to. Two independent readers
// play the image back.
TEST_F(EndToEndTest, ALowerCaseFolderBehindALinkBecomesAnImageThatPlays)
{
    const QString link = m_scratch.File("linked dvd");
    ASSERT_TRUE(QFile::link(m_source, link));
    const QString image = m_scratch.File("e2e.iso");
    const BuildStart start = m_run.Start({link, image, "e2e disc", false, true});
    ASSERT_FALSE(start.refusal) << m_run.Message().toStdString();
    EXPECT_EQ(start.request.sourceDirectory, QFileInfo(m_source).canonicalFilePath());
    EXPECT_EQ(start.request.volumeId, "E2E_DISC");
    ASSERT_TRUE(m_run.WaitForEnd(120000));
    ASSERT_EQ(m_run.result.outcome, BuildOutcome::Built) << Log();
    EXPECT_EQ(m_run.Caption(), "Information");
    EXPECT_EQ(m_run.progress.last(), 100);
    EXPECT_EQ(m_run.decisions.asked.join(" | "), ""); // it fits a DVD
    EXPECT_TRUE(QFile::exists(m_source + "/VIDEO_TS/VTS_02_1.VOB"));
    EXPECT_TRUE(QFile::exists(m_source + "/AUDIO_TS"));

    const DiscInfo disc = ReadWithLsdvd(image);
    EXPECT_EQ(disc.title, "E2E_DISC");
    EXPECT_EQ(disc.titles, 2);
    const QStringList entries = IsoinfoListing(image);
    for (const char* entry : {"/AUDIO_TS", "/VIDEO_TS/VIDEO_TS.IFO;1", "/VIDEO_TS/VTS_01_1.VOB;1",
                              "/VIDEO_TS/VTS_02_0.BUP;1"})
        EXPECT_TRUE(entries.contains(entry)) << entry;
    // The capture holds genisoimage's own report, then the program's image check.
    EXPECT_TRUE(Capture().contains("extents written")) << Log();
    EXPECT_TRUE(QRegularExpression("Image check: .*2 title sets")
                    .match(QString::fromUtf8(Capture()))
                    .hasMatch())
        << Log();
}

TEST_F(EndToEndTest, AMissingIfoAfterAYesAnswerFailsInMkisofs)
{
    ASSERT_TRUE(QFile::remove(m_source + "/video_ts/vts_01_0.ifo"));
    ASSERT_TRUE(QFile::remove(m_source + "/video_ts/vts_02_0.bup"));
    m_run.decisions.Answer(true);
    ASSERT_TRUE(Build(m_scratch.File("broken.iso"), "broken"));
    EXPECT_EQ(m_run.decisions.asked.join(" | "), "missing: " + m_source + "/VIDEO_TS/VTS_02_0.BUP");
    EXPECT_EQ(m_run.result.outcome, BuildOutcome::BuildFailed);
    EXPECT_EQ(m_run.Message(), "\"mkisofs\" reports some errors.\nSee log for details.") << Log();
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
    EXPECT_EQ(m_run.result.outcome, BuildOutcome::CheckFailed);
    // What the check found is in the message, between the outcome's own words.
    EXPECT_EQ(m_run.Message(), "The image check failed:\nImage check: VTS_02_1.VOB is missing from "
                               "the image\nSee log for details.")
        << Log();
    EXPECT_TRUE(Capture().contains("extents written")) << Capture().toStdString();
    EXPECT_TRUE(Capture().contains("Image check: VTS_02_1.VOB")) << Capture().toStdString();
    EXPECT_TRUE(Capture().contains("Removed the incomplete image file"));
    EXPECT_FALSE(QFile::exists(image));
}

// Chunks an earlier build left, one dated an hour ahead: a good build names
// only its own chunk, a failed one removes only that.
TEST_F(EndToEndTest, ASplitBuildNamesAndRemovesOnlyTheChunksItWrote)
{
    m_split = true;
    m_sizeCheck = false;
    const QString image = m_scratch.File("movie.iso");
    struct Case
    {
        QByteArray before; // in the wrapper, before the builder
        BuildOutcome outcome;
    };
    for (const Case& test :
         {Case{"", BuildOutcome::Built}, Case{"ulimit -f 200", BuildOutcome::BuildFailed}}) {
        PlantStale(image + "_01", QDateTime::currentDateTime().addSecs(3600));
        PlantStale(image + "_02", QDateTime::currentDateTime().addDays(-1));
        UseWrapper(test.before);
        ASSERT_TRUE(Build(image, "movie"));
        EXPECT_EQ(m_run.result.outcome, test.outcome) << Log();
        for (const char* stale : {"_01", "_02"})
            EXPECT_EQ(Read(image + stale), "from an earlier, longer build") << test.before.data();
        // The chunk of the build before stays after a failure, and nothing names it.
        EXPECT_EQ(ReadWithLsdvd(image + "_00").titles, 2);
        const bool built = test.outcome == BuildOutcome::Built;
        EXPECT_EQ(m_run.builtChunks, built ? 1 : -1);
        EXPECT_EQ(m_run.result.parts, built ? QStringList{image + "_00"} : QStringList());
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
    m_sizeCheck = false;
    for (const Case& test : cases) {
        m_split = test.split;
        const QString blocker = QDir::cleanPath(test.blocker);
        ASSERT_TRUE(test.blocker.endsWith('/') ? QDir().mkdir(blocker)
                                               : mkfifo(QFile::encodeName(blocker), 0600) == 0);
        ASSERT_TRUE(Build(image, "fifo"));
        EXPECT_EQ(m_run.result.outcome, BuildOutcome::Refused);
        EXPECT_EQ(m_run.Message(), "\"" + blocker +
                                       "\" exists and is not a regular file, so the image "
                                       "cannot be written there.\nChoose another Output File.");
        EXPECT_TRUE(Capture().isEmpty());
        EXPECT_FALSE(QFile::exists(m_source + "/AUDIO_TS")); // the source untouched
        EXPECT_TRUE(QDir().rmdir(blocker) || QFile::remove(blocker));
    }
}

// A second build to the same file, from a program of its own, is refused while
// the first one runs; once that has ended, the file and its lock are free again.
// (A killed one's lock: see the termination test.)
TEST_F(EndToEndTest, TwoBuildsToOneOutputFileOneAtATime)
{
    const QString image = m_scratch.File("shared.iso");
    const QString go = m_scratch.File("go");
    const QString first = m_scratch.File("first");
    ASSERT_TRUE(TestProgramFolder::CopyTree(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset", first));
    QDir().mkpath(first + "/AUDIO_TS");
    const QString folder =
        UseWrapper("while [ ! -e '" + QFile::encodeName(go) + "' ]; do sleep 0.05; done");
    m_run.engine.SetProgramFolder(ISOMINT_PROGRAM_DIR);
    QProcess host;
    host.start(ISOMINT_BUILD_HOST, {folder, first, image, m_scratch.File("exit")});
    ASSERT_TRUE(host.waitForReadyRead(10000)); // the build has begun
    // The same file, also through a linked folder and a link to the file itself.
    ASSERT_TRUE(QFile::link(m_scratch.Path(), m_scratch.File("alias")));
    ASSERT_TRUE(QFile::link(image, m_scratch.File("link.iso")));
    for (const QString& output :
         {image, m_scratch.File("alias/shared.iso"), m_scratch.File("link.iso")}) {
        ASSERT_TRUE(Build(output, "second"));
        EXPECT_EQ(m_run.result.outcome, BuildOutcome::Refused);
        EXPECT_EQ(m_run.Message(),
                  QString("The Output File \"%1\" is being written by another build (process %2 "
                          "on this computer; its lock file is \"%3.lock\").\nWait until it has "
                          "finished, or choose another Output File.")
                      .arg(output)
                      .arg(host.processId())
                      .arg(image));
        EXPECT_TRUE(Capture().isEmpty());
    }

    QFile(go).open(QIODevice::WriteOnly);
    ASSERT_TRUE(host.waitForFinished(60000));
    const DiscInfo disc = ReadWithLsdvd(image);
    EXPECT_EQ(disc.title, "HOST");
    EXPECT_EQ(disc.titles, 1);
    EXPECT_FALSE(QFile::exists(image + ".lock"));
}

// A lock that cannot be judged, or a folder that takes none, is named before
// anything is touched, with the lock's owner where it says one.
TEST_F(EndToEndTest, ALockInTheWayOrAFolderWithoutRoomForOneIsNamed)
{
    const QString image = m_scratch.File("locked.iso");
    const QString lock = image + ".lock";
    const QString readOnly = m_scratch.File("read-only");
    const SmallDisk disk(readOnly, "ro,size=64k");
    const QStringList before = QDir(m_source).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    struct Case
    {
        std::function<bool()> plant;
        QString output;
        QString text;
    };
    const Case cases[] = {
        {[&] {
             QFile file(lock);
             return file.open(QIODevice::WriteOnly) &&
                    file.write("4242\nisomint\nfar-away-host\n") > 0;
         },
         image,
         "The Output File \"" + image +
             "\" is locked by a build on the computer \"far-away-host\" (process 4242; its lock "
             "file is \"" +
             lock + "\").\nIf that build has ended, delete the lock file and try again."},
        {[&] { return QFile::link(m_scratch.File("elsewhere"), lock); }, image,
         "The lock file \"" + lock +
             "\" is a symbolic link, which a build never follows.\nIf no build is writing \"" +
             image + "\", delete the link and try again."},
        {[&] { return disk.mounted; }, readOnly + "/x.iso",
         "No image can be written in the folder \"" + readOnly +
             "\": Read-only file system.\nChoose an Output File in a folder you can write to."},
    };
    for (const Case& test : cases) {
        QFile::remove(lock);
        if (!test.plant()) {
            std::printf("[  NOTE    ] no read-only tmpfs here: that case is not run\n");
            continue;
        }
        ASSERT_TRUE(Build(test.output, "locked"));
        EXPECT_EQ(m_run.result.outcome, BuildOutcome::Refused);
        EXPECT_EQ(m_run.Message(), test.text);
        EXPECT_EQ(QDir(m_source).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }
}

struct RebuildCase
{
    const char* name;
    QByteArray before; // wrapper lines before the builder ($out is the image it writes)
    QByteArray after;  // and after it succeeded
    bool abort = false;
    bool smallDisk = false; // the Output File on a 1.5 MB disk the earlier image fills
    int split = 0;
    QString note; // the last lines of the box
};

// A rebuild replaces the earlier image only once the new one was read back
// whole: until then the Output File's name holds the earlier image, and a
// failed write, a full disk, a failed check or an abort leave it (and a split
// image's list) byte for byte, with the unfinished image gone.
TEST_F(EndToEndTest, ARebuildReplacesTheEarlierImageOnlyWhenTheNewOneIsWhole)
{
    const QString earlier = m_scratch.File("earlier.iso");
    ASSERT_TRUE(Build(earlier, "earlier"));
    ASSERT_EQ(m_run.result.outcome, BuildOutcome::Built) << Log();
    const QByteArray earlierBytes = Read(earlier);
    const QString small = m_scratch.File("small");
    const SmallDisk disk(small, "size=1536k");
    const QByteArray started = QFile::encodeName(m_scratch.File("started"));
    const QByteArray witness = QFile::encodeName(m_scratch.File("witness"));
    const QString kept = "The earlier image \"%1\" was kept as it was.";
    const RebuildCase cases[] = {
        {"write fails", "ulimit -f 200", {}, false, false, 0, kept},
        {"check fails", {}, "truncate -s 600000 \"$out\"", false, false, 0, kept},
        {"abort",
         OutputOf + QByteArray("echo partial >\"$out\"; touch '") + started + "'; sleep 30",
         {},
         true,
         false,
         0,
         ""},
        {"full disk",
         {},
         {},
         false,
         true,
         0,
         "The new image needs 1.1 MB, but only 0.4 MB are free in \"" + small + "\".\n\n" + kept},
        {"full disk, split",
         {},
         {},
         false,
         true,
         1,
         "The new image needs 1.1 MB, but only 0.4 MB are free in \"" + small + "\".\n\n" + kept},
        {"succeeds",
         {},
         "final=\"$(dirname \"$(dirname \"$out\")\")/$(basename \"$out\")\"\n"
         "cmp -s \"$final\" '" +
             QFile::encodeName(earlier) + "' && echo same >'" + witness +
             "'\nstat -c %a \"$(dirname \"$out\")\" >>'" + witness + "'",
         false,
         false,
         0,
         ""},
    };
    for (const RebuildCase& test : cases) {
        SCOPED_TRACE(test.name);
        if (test.smallDisk && !disk.mounted) {
            std::printf("[  NOTE    ] no tmpfs can be mounted here: \"%s\" not run\n", test.name);
            continue;
        }
        QFile::remove(QFile::decodeName(started));
        m_split = test.split;
        m_sizeCheck = false;
        const QString folder = test.smallDisk ? small : m_scratch.Path();
        const QString image = folder + "/movie.iso";
        const QString first = test.split ? image + "_00" : image;
        const QString list = folder + "/movie.lst";
        const QByteArray listBytes = "IMAGELIST\r\n" + QFile::encodeName(first) + "\r\n";
        for (const QString& name : {image, image + "_00", list})
            QFile::remove(name);
        ASSERT_TRUE(QFile::copy(earlier, first));
        if (test.split) {
            QFile file(list);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(listBytes) > 0);
        }
        UseWrapper(test.before, test.after);
        ASSERT_FALSE(m_run.Start({m_source, image, "movie", m_split}).refusal);
        if (test.abort) {
            ASSERT_TRUE(RunUntil([&] { return QFile::exists(QFile::decodeName(started)); }));
            EXPECT_EQ(Read(image), earlierBytes); // the partial image is elsewhere
            m_run.engine.Abort();
        }
        ASSERT_TRUE(m_run.WaitForEnd(120000));
        EXPECT_EQ(QDir(folder).entryList({".movie.iso.isomint-*"}, QDir::Dirs | QDir::Hidden),
                  QStringList());
        EXPECT_FALSE(QFile::exists(image + ".lock"));
        if (QByteArray(test.name) == "succeeds") {
            EXPECT_EQ(Read(m_scratch.File("witness")), "same\n700\n");
            EXPECT_NE(Read(image), earlierBytes);
            EXPECT_EQ(ReadWithLsdvd(image).title, "MOVIE");
            continue;
        }
        EXPECT_EQ(Read(first), earlierBytes) << Capture().toStdString();
        if (test.split) {
            EXPECT_EQ(Read(list), listBytes);
            EXPECT_FALSE(QFile::exists(image + "_01"));
        }
        if (test.abort) {
            EXPECT_EQ(m_run.result.outcome, BuildOutcome::Aborted);
            continue;
        }
        EXPECT_FALSE(m_run.Silent());
        EXPECT_TRUE(m_run.Message().endsWith("\n\n" + test.note.arg(image)))
            << m_run.Message().toStdString();
        EXPECT_TRUE(Capture().contains("Removed the incomplete image file \"" +
                                       QFile::encodeName(folder) + "/.movie.iso.isomint-"))
            << Capture().toStdString();
    }
}

} // namespace
