#include "imaging/buildengine.h"

#include "fakes/fakebuildwindow.h"
#include "fakes/testprogramfolder.h"
#include "settings/programsettings.h"
#include "support/discreader.h"
#include "support/eventloop.h"
#include "support/scriptedmessagebox.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

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

    // A program folder whose mkisofs is a shell script that does its part, then
    // runs the real builder.
    void UseWrapper(const QByteArray& before)
    {
        const QString folder = m_scratch.File("wrapped");
        QDir().mkpath(folder);
        QFile script(folder + "/mkisofs");
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n" + before +
                     "\nexec \"" ISOMINT_PROGRAM_DIR "/mkisofs\" \"$@\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_engine.SetProgramFolder(folder);
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
    BuildEngine m_engine{m_window, m_window.Boxes(), m_settings, {20ms, 100ms, 500ms}};
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

TEST_F(EndToEndTest, ASplitBuildListsOnlyTheChunksItWrote)
{
    m_scratch.WriteSettings(1, 0, 0, QString(), QString(), 0);
    const QString image = m_scratch.File("movie.iso");
    for (const char* stale : {"_01", "_02"}) {
        QFile file(image + stale);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("from an earlier, longer build");
        file.flush();
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                     QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(Build(image, "movie"));
    EXPECT_EQ(m_boxes.Last().caption, "Information") << Capture().toStdString();
    EXPECT_EQ(Read(m_scratch.File("movie.lst")),
              "IMAGELIST\r\n" + QFile::encodeName(image) + "_00\r\n");
    EXPECT_EQ(ReadWithLsdvd(image + "_00").titles, 2);
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
