// Native recording through the whole program: a real build of the fixture
// recorded by the real xorriso to a stdio pseudo-drive, followed in the main
// window; a split build streamed as one track; a full device; an abort.
#include "app/apptesthelpers.h"
#include "app/maindialog.h"
#include "app/poweroff.h"
#include "burn/xorrisorecording.h"
#include "dialogs/logdialog.h"
#include "fakes/testprogramfolder.h"
#include "imaging/buildengine.h"
#include "support/scriptedmessagebox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kFixture = QStringLiteral(ISOMINT_TEST_DATA_DIR "/dvd/two-titlesets");

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The image byte for byte, then at most the zeros that round the written area
// up to a 32 KiB block.
bool DiscHolds(const QString& disc, const QString& image)
{
    const QByteArray written = Read(disc);
    const QByteArray expected = Read(image);
    const QByteArray tail = written.mid(expected.size());
    return !expected.isEmpty() && written.startsWith(expected) && tail.size() < 32 * 1024 &&
           tail.count('\0') == tail.size();
}

// Stands in for logind: answers, and counts the requests.
class FakePowerOff : public PowerOff
{
public:
    explicit FakePowerOff(int* requests) : m_requests(requests) {}
    bool Available() override { return true; }
    bool Request() override
    {
        ++*m_requests;
        return true;
    }

private:
    int* m_requests;
};

class XorrisoWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_xorriso = QStandardPaths::findExecutable(QStringLiteral("xorriso"));
        if (m_xorriso.isEmpty())
            GTEST_SKIP() << "xorriso is not installed";
    }

    std::unique_ptr<MainDialog> Open(const TestProgramFolder& folder)
    {
        auto window = std::make_unique<MainDialog>(
            folder.Path(), &m_boxes,
            MonitorTimings{std::chrono::milliseconds(10), std::chrono::milliseconds(100)});
        window->show();
        return window;
    }

    // Builds, then waits for the recording that follows to end.
    void BuildAndRecord(MainDialog& window, const TestProgramFolder& folder)
    {
        TestProgramFolder::CopyTree(kFixture, folder.File("dvd"));
        Find<QLineEdit>(window, "sourceEdit")->setText(folder.File("dvd"));
        Find<QLineEdit>(window, "outputEdit")->setText(folder.File("movie.iso"));
        Find<QLineEdit>(window, "volumeEdit")->setText(QStringLiteral("MOVIE"));
        Find<QPushButton>(window, "imageButton")->click();
        ASSERT_TRUE(RunUntil([&] { return !window.Engine().IsBuilding(); }, 120000));
        ASSERT_EQ(m_boxes.Count(), 1);
        EXPECT_EQ(m_boxes.Last().caption, "Information");
        ASSERT_TRUE(RunUntil([&] { return m_boxes.Count() == 2; }, 120000));
        ASSERT_NE(window.Recording(), nullptr);
        m_output = window.Recording()->Output().toStdString();
        EXPECT_FALSE(window.IsRecording());
    }

    QString m_xorriso;
    std::string m_output; // the recorder's, for failure messages
    ScriptedMessageBox m_boxes;
};

TEST_F(XorrisoWindowTest, RealBuildIsRecordedAndPlaysBackFromThePseudoDisc)
{
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    const QString disc = folder.File("disc");
    folder.WriteSettings(0, 1, 1, m_xorriso, "stdio:" + disc, 0);
    auto window = Open(folder);
    ASSERT_EQ(m_boxes.Shown(), QList<MessageBoxRequest>());
    BuildAndRecord(*window, folder);

    EXPECT_EQ(m_boxes.Last().caption, "Information");
    EXPECT_EQ(m_boxes.Last().text, "The image was recorded successfully.") << m_output;
    EXPECT_EQ(m_boxes.Last().kind, BoxKind::Information);
    EXPECT_TRUE(DiscHolds(disc, folder.File("movie.iso")));
    const DiscInfo info = ReadWithLsdvd(disc);
    EXPECT_EQ(info.title, "MOVIE");
    EXPECT_EQ(info.titles, 2);
    EXPECT_EQ(Find<QProgressBar>(*window, "progressBar")->value(), 100);
    EXPECT_TRUE(Find<QPushButton>(*window, "imageButton")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(*window, "abortButton")->isEnabled());
    // Erasing was on; the run and its output are in the log after the build's.
    WhenModalShown<QDialog>([](QDialog& log) { log.accept(); });
    Find<QPushButton>(*window, "logButton")->click();
    EXPECT_TRUE(window->LogWindow().LogText().contains("extents written"));
    EXPECT_TRUE(window->LogWindow().LogText().contains("blank=as_needed"));
    EXPECT_TRUE(window->LogWindow().LogText().contains("completed successfully"));
}

TEST_F(XorrisoWindowTest, SplitBuildStreamsItsChunksAsOneTrack)
{
    TestProgramFolder fake(QStringLiteral(ISOMINT_FAKE_MKISOFS));
    const QString disc = fake.File("disc");
    fake.WriteSettings(1, 1, 0, m_xorriso, "stdio:" + disc, 0);
    ASSERT_TRUE(TestProgramFolder::BuildRealImage(kFixture, fake.File("real.iso")));
    fake.WriteScript({"out  50.00% done", "image " + fake.File("real.iso") + " 3", "exit 0"});
    auto window = Open(fake);
    BuildAndRecord(*window, fake);

    EXPECT_EQ(m_boxes.Last().text, "The image was recorded successfully.") << m_output;
    EXPECT_TRUE(QFile::exists(fake.File("movie.iso_02")));
    EXPECT_TRUE(DiscHolds(disc, fake.File("real.iso")));
    EXPECT_EQ(ReadWithLsdvd(disc).titles, 2);
}

TEST_F(XorrisoWindowTest, VerifyReadsThePseudoDiscBackAndOnlyThenReportsSuccess)
{
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    const QString disc = folder.File("disc");
    folder.WriteSettings(0, 1, 0, m_xorriso, "stdio:" + disc, 0);
    auto window = Open(folder);
    auto* verify = Find<QCheckBox>(*window, "verifyCheck");
    ASSERT_TRUE(verify->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>(*window, "shutdownCheck")->isEnabled()); // no logind here
    verify->click();
    BuildAndRecord(*window, folder);

    EXPECT_EQ(m_boxes.Last().text, "The image was recorded and verified successfully.") << m_output;
    EXPECT_EQ(m_boxes.Last().kind, BoxKind::Information);
    EXPECT_FALSE(window->IsRecording());
    EXPECT_TRUE(window->Recording()->Output().contains("dev=stdio:"));
    EXPECT_FALSE(window->Recording()->Output().contains("-eject"));
}

TEST_F(XorrisoWindowTest, PowerOffOnlyAfterAVerifiedRecording)
{
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    folder.WriteSettings(0, 1, 0, m_xorriso, "stdio:" + folder.File("disc"), 0);
    auto window = Open(folder);
    int requests = 0;
    window->SetPowerOff(std::make_unique<FakePowerOff>(&requests));
    auto* shutdown = Find<QCheckBox>(*window, "shutdownCheck");
    ASSERT_TRUE(shutdown->isEnabled());
    shutdown->click();
    // Unverified: the recording reports and the computer stays on.
    BuildAndRecord(*window, folder);
    EXPECT_EQ(m_boxes.Last().text, "The image was recorded successfully.") << m_output;
    EXPECT_EQ(requests, 0);

    Find<QCheckBox>(*window, "verifyCheck")->click();
    Find<QPushButton>(*window, "imageButton")->click();
    ASSERT_TRUE(RunUntil([&] { return !window->Engine().IsBuilding(); }, 120000));
    ASSERT_TRUE(RunUntil([&] { return requests == 1; }, 60000));
    ASSERT_TRUE(RunUntil([&] { return !window->IsRecording(); }, 10000));
    EXPECT_EQ(m_boxes.Count(), 3); // the second build's box; none for the power-off
}

TEST_F(XorrisoWindowTest, FullDeviceGivesTheFailureBox)
{
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    folder.WriteSettings(0, 1, 0, m_xorriso, "stdio:/dev/full", 0);
    auto window = Open(folder);
    BuildAndRecord(*window, folder);

    EXPECT_EQ(m_boxes.Last().caption, "Recording Failed");
    EXPECT_TRUE(m_boxes.Last().text.startsWith("Recording failed (xorriso exit code "));
    EXPECT_EQ(m_boxes.Last().kind, BoxKind::Error);
    EXPECT_TRUE(window->Recording()->Output().contains("No space left on device"));
    EXPECT_TRUE(Find<QPushButton>(*window, "imageButton")->isEnabled());
}

TEST_F(XorrisoWindowTest, AbortMidWriteEndsTheRecorderSilently)
{
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    // A pipe nobody drains: xorriso fills it and waits, mid-write.
    const QString fifo = folder.File("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    folder.WriteSettings(0, 1, 0, m_xorriso, "stdio:" + fifo, 0);
    auto window = Open(folder);
    TestProgramFolder::CopyTree(kFixture, folder.File("dvd"));
    Find<QLineEdit>(*window, "sourceEdit")->setText(folder.File("dvd"));
    Find<QLineEdit>(*window, "outputEdit")->setText(folder.File("movie.iso"));
    Find<QPushButton>(*window, "imageButton")->click();
    ASSERT_TRUE(RunUntil([&] { return window->IsRecording(); }, 120000));
    ASSERT_TRUE(RunUntil(
        [&] { return window->Recording()->Output().contains("Beginning to write"); }, 20000));
    EXPECT_TRUE(Find<QPushButton>(*window, "abortButton")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(*window, "imageButton")->isEnabled());
    const qint64 pid = window->Recording()->Pid();

    Find<QPushButton>(*window, "abortButton")->click();
    EXPECT_TRUE(RunUntil([&] { return !window->IsRecording(); }, 4000));
    EXPECT_TRUE(RunUntil([pid] { return ProcessGone(pid); }, 4000));
    RunFor(200);
    EXPECT_EQ(m_boxes.Count(), 1); // the build's box only
    EXPECT_TRUE(Find<QPushButton>(*window, "imageButton")->isEnabled());
    ::close(reader);
}

} // namespace
