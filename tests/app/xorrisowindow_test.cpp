// Native recording followed in the main window: a real build of the fixture
// recorded by the real xorriso to a stdio pseudo-drive, with the window's busy
// state, progress, title, boxes and check boxes. What the recording itself
// does is the session's, tested with it.
#include "app/apptesthelpers.h"
#include "app/maindialog.h"
#include "app/poweroff.h"
#include "app/windowbuild.h"
#include "burn/xorrisorecording.h"
#include "dialogs/logdialog.h"
#include "fakes/testprogramfolder.h"
#include "support/scriptedmessagebox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kFixture = QStringLiteral(ISOMINT_TEST_DATA_DIR "/dvd/two-titlesets");

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

    // Starts a build of the fixture to movie.iso.
    static void StartBuild(MainDialog& window, const TestProgramFolder& folder)
    {
        TestProgramFolder::CopyTree(kFixture, folder.File("dvd"));
        Find<QLineEdit>(window, "sourceEdit")->setText(folder.File("dvd"));
        Find<QLineEdit>(window, "outputEdit")->setText(folder.File("movie.iso"));
        Find<QLineEdit>(window, "volumeEdit")->setText(QStringLiteral("MOVIE"));
        Find<QPushButton>(window, "imageButton")->click();
    }

    // Builds, then waits for the box that follows the build's own.
    void BuildAndWait(MainDialog& window, const TestProgramFolder& folder)
    {
        const qsizetype before = m_boxes.Count();
        StartBuild(window, folder);
        ASSERT_TRUE(RunUntil([&] { return !window.Engine().IsBuilding(); }, 120000));
        ASSERT_TRUE(RunUntil([&] { return m_boxes.Count() >= before + 2; }, 120000));
        EXPECT_EQ(m_boxes.Count(), before + 2);
        EXPECT_EQ(m_boxes.Shown().at(before).caption, "Information");
        EXPECT_FALSE(window.IsRecording());
    }

    QString m_xorriso;
    ScriptedMessageBox m_boxes;
};

TEST_F(XorrisoWindowTest, RealBuildIsRecordedAndPlaysBackFromThePseudoDisc)
{
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    const QString disc = folder.File("disc");
    folder.WriteSettings(0, 1, 1, m_xorriso, "stdio:" + disc, 0);
    auto window = Open(folder);
    ASSERT_EQ(m_boxes.Shown(), QList<MessageBoxRequest>());
    BuildAndWait(*window, folder);
    ASSERT_NE(window->Recording(), nullptr);
    EXPECT_EQ(m_boxes.Last().caption, "Information");
    EXPECT_EQ(m_boxes.Last().text, "The image was recorded successfully.")
        << window->Recording()->Output().toStdString();
    EXPECT_EQ(m_boxes.Last().kind, BoxKind::Information);
    // The pseudo-disc plays back; its bytes are checked with the session.
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

// The check boxes reach the recording: verified, as the title says, and then
// powered off without a box; shutdown is offered only where the system can be asked.
TEST_F(XorrisoWindowTest, VerifyAndShutdownBoxesReachTheRecording)
{
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    folder.WriteSettings(0, 1, 0, m_xorriso, "stdio:" + folder.File("disc"), 0);
    auto window = Open(folder);
    auto* verify = Find<QCheckBox>(*window, "verifyCheck");
    auto* shutdown = Find<QCheckBox>(*window, "shutdownCheck");
    ASSERT_TRUE(verify->isEnabled());
    EXPECT_FALSE(shutdown->isEnabled()); // no logind here
    int requests = 0;
    window->SetPowerOff(std::make_unique<FakePowerOff>(&requests));
    ASSERT_TRUE(shutdown->isEnabled());
    verify->click();
    shutdown->click();
    QStringList titles;
    QObject::connect(window.get(), &QWidget::windowTitleChanged, window.get(),
                     [&titles](const QString& title) { titles << title; });
    StartBuild(*window, folder);
    ASSERT_TRUE(RunUntil([&] { return !window->Engine().IsBuilding(); }, 120000));
    ASSERT_TRUE(RunUntil([&] { return requests == 1; }, 60000));
    ASSERT_TRUE(RunUntil([&] { return !window->IsRecording(); }, 10000));
    EXPECT_EQ(m_boxes.Count(), 1); // the build's box; none for the power-off
    EXPECT_FALSE(titles.filter("Verifying… ").isEmpty());
}

// A failed run gives the failure box over a window that is idle again; a
// refusal shows it over a window that never turned busy. The image is taken
// at its check, so a change while the build's box is up is caught.
TEST_F(XorrisoWindowTest, AFailedOrRefusedRecordingGivesTheFailureBox)
{
    const std::function<void(QFile&)> keep = [](QFile&) {};
    const std::function<void(QFile&)> shorten = [](QFile& file) {
        file.resize(file.size() - 2048);
    };
    for (const bool refused : {false, true}) {
        SCOPED_TRACE(refused ? "refused" : "failed");
        m_boxes.Clear();
        TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
        const QString disc = refused ? "stdio:" + folder.File("disc") : "stdio:/dev/full";
        folder.WriteSettings(0, 1, 0, m_xorriso, disc, 0);
        auto window = Open(folder);
        // Right after the check, while the build's own box would be up.
        QObject::connect(&window->Engine(), &WindowBuild::ImageBuilt, window.get(), [&] {
            QFile file(folder.File("movie.iso"));
            (refused ? shorten : keep)(file);
        });
        BuildAndWait(*window, folder);
        if (HasFatalFailure())
            return;
        EXPECT_EQ(m_boxes.Last().caption, "Recording Failed");
        EXPECT_EQ(m_boxes.Last().kind, BoxKind::Error);
        if (refused) {
            EXPECT_EQ(m_boxes.Last().text,
                      QStringLiteral("Nothing was recorded: \"%1\" is no longer the file that was "
                                     "built and checked.\nBuild the image again.")
                          .arg(folder.File("movie.iso")));
            EXPECT_EQ(window->Recording(), nullptr);
            EXPECT_FALSE(QFile::exists(folder.File("disc")));
        } else {
            EXPECT_TRUE(m_boxes.Last().text.startsWith("Recording failed (xorriso exit code "));
        }
        EXPECT_TRUE(Find<QPushButton>(*window, "imageButton")->isEnabled());
    }
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
    StartBuild(*window, folder);
    ASSERT_TRUE(RunUntil([&] { return window->IsRecording(); }, 120000));
    ASSERT_TRUE(RunUntil(
        [&] { return window->Recording()->Output().contains("Beginning to write"); }, 20000));
    EXPECT_TRUE(Find<QPushButton>(*window, "abortButton")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(*window, "imageButton")->isEnabled());
    EXPECT_TRUE(window->windowTitle().contains("% Recording… "));
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
