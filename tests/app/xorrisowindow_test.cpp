// Native recording followed in the main window: a real build of the fixture,
// or an image made earlier, recorded by the real xorriso to a stdio
// pseudo-drive, with the window's busy state, progress, title, boxes and check
// boxes. What the recording itself
// does is the session's, tested with it.
#include "app/apptesthelpers.h"
#include "app/maindialog.h"
#include "app/poweroff.h"
#include "app/windowbuild.h"
#include "burn/xorrisorecording.h"
#include "controls/cxfiledialog.h"
#include "controls/filemanager.h"
#include "dialogs/logdialog.h"
#include "fakes/testprogramfolder.h"
#include "support/filebytes.h"
#include "support/scriptedmessagebox.h"
#include "support/userlanguage.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

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
        EXPECT_EQ(m_boxes.Last().extraButton, QString()); // nothing to show
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

// The File menu's command records an image made earlier, or a split image's
// list, through the file dialog and the checks of a built image, with the
// window busy as for one; what does not read back whole, and anything while
// recording is off, is refused before a byte is written.
TEST_F(XorrisoWindowTest, RecordImageCommandRecordsAnImageOrAListAndRefusesAChangedOne)
{
    TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
    ASSERT_TRUE(TestProgramFolder::BuildRealImage(kFixture, folder.File("movie.iso")));
    const QByteArray image = FileBytes(folder.File("movie.iso"));
    // The chunks a split build leaves, and their list; a relative line is beside it.
    ASSERT_TRUE(WriteBytes(folder.File("movie.iso_00"), image.left(256 * 2048)));
    ASSERT_TRUE(WriteBytes(folder.File("movie.iso_01"), image.mid(256 * 2048)));
    ASSERT_TRUE(WriteBytes(folder.File("movie.lst"),
                           "IMAGELIST\r\n" + QFile::encodeName(folder.File("movie.iso_00")) +
                               "\r\nmovie.iso_01\r\n"));
    // Changed since they were made: cut short, and a list that lost a chunk.
    ASSERT_TRUE(WriteBytes(folder.File("short.iso"), image.chopped(2048)));
    ASSERT_TRUE(WriteBytes(folder.File("short.lst"), "IMAGELIST\r\nmovie.iso_00\r\n"));
    ASSERT_TRUE(WriteBytes(folder.File("empty.lst"), "movie.iso_00\n"));
    const QString checkFailed = "Nothing was recorded: the image check failed.\nImage check: ";
    struct Row
    {
        const char* chosen;
        int burn;
        QString box; // its text, or how it starts
        bool recorded;
    };
    const Row rows[] = {
        {"movie.iso", 1, "The image was recorded successfully.", true},
        {"movie.lst", 1, "The image was recorded successfully.", true},
        {"short.iso", 1, checkFailed, false},
        {"short.lst", 1, checkFailed, false},
        {"empty.lst", 1, "\"" + folder.File("empty.lst") + "\" is not an image list.", false},
        {"movie.iso", 0, "Recording is turned off in the Program Settings.", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.chosen) + (row.burn == 0 ? ", recording off" : ""));
        m_boxes.Clear();
        const QString disc =
            folder.File(QStringLiteral("disc-%1-%2").arg(row.chosen).arg(row.burn));
        folder.WriteSettings(0, row.burn, 0, m_xorriso, "stdio:" + disc, 0);
        auto window = Open(folder);
        ASSERT_EQ(m_boxes.Count(), 0);
        bool asked = false;
        CXFileDialog::SetNextAnswer([&](CXFileDialog& dialog) {
            asked = dialog.acceptMode() == QFileDialog::AcceptOpen &&
                    dialog.fileMode() == QFileDialog::ExistingFile &&
                    dialog.nameFilters().value(0) == "Image or Image List (*.iso *.lst)";
            return std::optional<QString>(folder.File(row.chosen));
        });
        auto* command = Find<QAction>(*window, "recordImageAction");
        command->trigger();
        EXPECT_TRUE(asked);
        EXPECT_EQ(window->IsRecording(), row.recorded);
        // Busy as for a built image: only Abort, and nothing else to start.
        EXPECT_EQ(Find<QPushButton>(*window, "abortButton")->isEnabled(), row.recorded);
        EXPECT_EQ(Find<QPushButton>(*window, "imageButton")->isEnabled(), !row.recorded);
        EXPECT_EQ(command->isEnabled(), !row.recorded);
        ASSERT_TRUE(RunUntil([&] { return !window->IsRecording() && m_boxes.Count() > 0; }, 60000));
        EXPECT_EQ(m_boxes.Count(), 1);
        EXPECT_TRUE(m_boxes.Last().text.startsWith(row.box)) << m_boxes.Last().text.toStdString();
        EXPECT_EQ(m_boxes.Last().kind, row.recorded ? BoxKind::Information : BoxKind::Error);
        if (row.recorded)
            EXPECT_TRUE(DiscHolds(disc, image));
        else
            EXPECT_FALSE(QFile::exists(disc));
        EXPECT_TRUE(command->isEnabled());
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

// Records what it is asked to show, and shows it.
class RecordingFileManager : public FileManager
{
public:
    RecordingFileManager() { SetFileManager(this); }
    ~RecordingFileManager() override { SetFileManager(nullptr); }
    RecordingFileManager(const RecordingFileManager&) = delete;
    RecordingFileManager& operator=(const RecordingFileManager&) = delete;

    void ShowItems(const QStringList& files, QObject* /*context*/, FileManagerDone done) override
    {
        asked.append(files);
        done(true);
    }

    QList<QStringList> asked;
};

// The label gives the recording's own pace and time left, in the user's
// words and number form: the recording starts its clock and its label anew.
// The build's and the recording's success boxes both offer the image's folder.
TEST_F(XorrisoWindowTest, FinishedRunsShowTheirPaceAndOfferTheImagesFolder)
{
    for (const auto& test : kFinishedPaceLabels) {
        SCOPED_TRACE(test.language);
        const UserLanguage language(test.language);
        ASSERT_TRUE(language.Ready());
        TestProgramFolder folder(QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs"));
        folder.WriteSettings(0, 1, 0, m_xorriso, "stdio:" + folder.File("disc"), 0);
        auto window = Open(folder);
        // The recording sets its label, then its title "… Recording… …".
        QStringList labels;
        QObject::connect(window.get(), &QWidget::windowTitleChanged, window.get(),
                         [&](const QString& title) {
                             if (title.contains(QStringLiteral("… ")))
                                 labels << Find<QLabel>(*window, "percentLabel")->text();
                         });
        RecordingFileManager fileManager;
        m_boxes.Clear();
        m_boxes.Answer(BoxAnswer::Extra);
        m_boxes.Answer(BoxAnswer::Extra);
        StartBuild(*window, folder);
        // The build's box, then the recording's.
        ASSERT_TRUE(
            RunUntil([&] { return m_boxes.Count() == 2 && !window->IsRecording(); }, 120000));
        for (const MessageBoxRequest& box : m_boxes.Shown()) {
            EXPECT_EQ(box.kind, BoxKind::Information) << box.text.toStdString();
            EXPECT_FALSE(box.extraButton.isEmpty());
        }
        const QStringList image = {folder.File("movie.iso")};
        EXPECT_EQ(fileManager.asked, (QList<QStringList>{image, image}));
        ASSERT_FALSE(labels.isEmpty());
        EXPECT_EQ(labels.first(), "0 %");
        EXPECT_TRUE(MatchesWhole(test.pattern, labels.last())) << labels.last().toStdString();
        EXPECT_EQ(Find<QLabel>(*window, "percentLabel")->text(), labels.last());
    }
}

} // namespace
