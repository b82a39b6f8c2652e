#include "imaging/buildengine.h"

#include "fakes/fakebuildwindow.h"
#include "fakes/testprogramfolder.h"
#include "settings/programsettings.h"
#include "support/discreader.h"
#include "support/eventloop.h"
#include "support/scriptedmessagebox.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
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

} // namespace
