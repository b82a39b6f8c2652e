// The whole program through its main window, offscreen: first start, a real
// build with genisoimage read back by lsdvd, abort and close during a build,
// and a split build handed to the recorder, after the build and again from
// the File menu.
#include "app/apptesthelpers.h"
#include "app/maindialog.h"
#include "app/manifest.h"
#include "controls/cxfiledialog.h"
#include "dialogs/logdialog.h"
#include "dialogs/settingsdialog.h"
#include "fakes/testprogramfolder.h"
#include "imaging/buildengine.h"
#include "support/scriptedmessagebox.h"
#include "support/userlanguage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kFixture = QStringLiteral(ISOMINT_TEST_DATA_DIR "/dvd/two-titlesets");

class WholeProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = qgetenv("PATH");
        QDir(m_folder.Path()).mkdir(QStringLiteral("bin"));
        QFile::link(QStringLiteral(ISOMINT_FAKE_RECORDER), m_folder.File("bin/wine"));
        qputenv("PATH", QFile::encodeName(m_folder.File("bin")) + ":" + m_path);
        qputenv("ISOMINT_FAKE_RECORDER_LOG", QFile::encodeName(m_folder.File("record")));
    }
    void TearDown() override
    {
        qputenv("PATH", m_path);
        qunsetenv("ISOMINT_FAKE_RECORDER_LOG");
        qunsetenv("ISOMINT_FAKE_MKISOFS_SCRIPT");
    }

    QString Recorder()
    {
        QString path = m_folder.File("DVD Decrypter.exe");
        QFile::copy(QStringLiteral(ISOMINT_TEST_DATA_DIR "/pe/recorder-3.2.2.1.exe"), path);
        return path;
    }

    QString Source(bool lowerCase)
    {
        QString source = m_folder.File("my movie");
        TestProgramFolder::CopyTree(kFixture, source);
        if (lowerCase)
            LowerCaseTree(source);
        return source;
    }

    std::unique_ptr<MainDialog> Open(MonitorTimings timings = {})
    {
        auto window = std::make_unique<MainDialog>(m_folder.Path(), &m_boxes, timings);
        window->show();
        return window;
    }

    void Fill(MainDialog& window, const QString& source, const QString& output, const char* volume)
    {
        Find<QLineEdit>(window, "sourceEdit")->setText(source);
        Find<QLineEdit>(window, "outputEdit")->setText(output);
        Find<QLineEdit>(window, "volumeEdit")->setText(QString::fromUtf8(volume));
    }

    TestProgramFolder m_folder{QStringLiteral(ISOMINT_PROGRAM_DIR "/mkisofs")};
    ScriptedMessageBox m_boxes;
    QByteArray m_path;
};

TEST(WholeProgram, FirstStartRunsSetupThenReportsTheMissingBuilder)
{
    QTemporaryDir folder;
    ScriptedMessageBox boxes;
    QString setupCaption;
    qsizetype boxesDuringSetup = -1;
    WhenModalShown<SettingsDialog>([&](SettingsDialog& setup) {
        setupCaption = setup.windowTitle();
        boxesDuringSetup = boxes.Count();
        setup.reject();
    });
    MainDialog window(folder.path(), &boxes);
    window.show();

    EXPECT_EQ(setupCaption, "Isomint Stencil << First Time Setup >>");
    EXPECT_EQ(boxesDuringSetup, 0);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Last().caption, "Missing File");
    EXPECT_EQ(boxes.Last().text,
              "Isomint Stencil needs \"mkisofs\" to generate an image!\n\nBe sure this files "
              "exists in same folder as Isomint Stencil.");
    EXPECT_EQ(boxes.Last().kind, BoxKind::Error);

    EXPECT_EQ(window.windowTitle(), "Isomint Stencil 0.91.5");
    EXPECT_EQ(Find<QLabel>(window, "percentLabel")->text(), "0 %");
    EXPECT_EQ(Find<QLineEdit>(window, "sourceEdit")->text(), "");
    EXPECT_EQ(Find<QLineEdit>(window, "outputEdit")->text(), "");
    EXPECT_EQ(Find<QLineEdit>(window, "volumeEdit")->text(), "NO_NAME");
    EXPECT_FALSE(Find<QPushButton>(window, "abortButton")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(window, "logButton")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(window, "imageButton")->isEnabled());
    EXPECT_EQ(window.ProgramFolder(), folder.path());

    // Cancel wrote no settings; the manifest was written, exactly.
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("stencil.ini"))));
    QFile manifest(folder.filePath(QString::fromLatin1(ManifestName)));
    ASSERT_TRUE(manifest.open(QIODevice::ReadOnly));
    EXPECT_EQ(manifest.readAll(), ManifestText());
}

TEST_F(WholeProgramTest, RealBuildOfALowerCaseFolderPlaysBack)
{
    m_folder.WriteSettings(0, 1, 0, Recorder(), "e:", 0);
    const QString output = m_folder.File("out/movie.iso");
    QDir().mkpath(m_folder.File("out"));
    auto window = Open({std::chrono::milliseconds(100), std::chrono::milliseconds(250)});
    ASSERT_EQ(m_boxes.Count(), 0);
    Fill(*window, Source(true), output, "my movie");

    Find<QPushButton>(*window, "imageButton")->click();
    ASSERT_TRUE(window->Engine().IsBuilding());
    EXPECT_FALSE(Find<QAction>(*window, "programSettingsAction")->isEnabled());
    EXPECT_TRUE(Find<QAction>(*window, "helpAction")->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>(*window, "sourceEdit")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(*window, "quitButton")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(*window, "abortButton")->isEnabled());
    EXPECT_TRUE(Find<QCheckBox>(*window, "shutdownCheck")->isEnabled());
    EXPECT_TRUE(Find<QCheckBox>(*window, "verifyCheck")->isEnabled());
    EXPECT_TRUE(Find<QComboBox>(*window, "speedCombo")->isEnabled());

    ASSERT_TRUE(RunUntil([&] { return !window->Engine().IsBuilding(); }, 120000));
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last().text, "Action successfully completed!\nSee log for details.");
    EXPECT_EQ(Find<QLineEdit>(*window, "volumeEdit")->text(), "MY_MOVIE");
    EXPECT_EQ(Find<QProgressBar>(*window, "progressBar")->value(), 100);
    EXPECT_TRUE(Find<QPushButton>(*window, "logButton")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(*window, "imageButton")->isEnabled());

    WhenModalShown<QDialog>([](QDialog& log) { log.accept(); });
    Find<QPushButton>(*window, "logButton")->click();
    EXPECT_TRUE(window->LogWindow().LogText().contains("extents written"));

    const DiscInfo disc = ReadWithLsdvd(output);
    EXPECT_EQ(disc.title, "MY_MOVIE");
    EXPECT_EQ(disc.titles, 2);

    // Burning was on: the recorder got the image with the speed list's selection.
    EXPECT_EQ(ReadRecord(m_folder.File("record")).mid(1),
              QStringList({m_folder.File("bin/wine"), m_folder.File("DVD Decrypter.exe"), "/MODE",
                           "ISOWRITE", "/START", "/VERIFY", "NO", "/SPEED", "MAX", "/SRC", output,
                           "/DEST", "E:"}));
}

// The label says how fast the build went and what was left, in the user's
// words and number form; the title keeps the bare percentage.
TEST_F(WholeProgramTest, RealBuildShowsItsPaceAndTimeLeft)
{
    m_folder.WriteSettings(0, 0, 0, QString(), QString(), 0);
    const QString source = Source(false);
    for (const auto& test : kFinishedPaceLabels) {
        SCOPED_TRACE(test.language);
        const UserLanguage language(test.language);
        ASSERT_TRUE(language.Ready());
        auto window = Open({std::chrono::milliseconds(100), std::chrono::milliseconds(250)});
        Fill(*window, source, m_folder.File(QString::fromLatin1(test.language) + ".iso"), "MOVIE");
        Find<QPushButton>(*window, "imageButton")->click();
        ASSERT_TRUE(RunUntil([&] { return !window->Engine().IsBuilding(); }, 120000));
        EXPECT_EQ(m_boxes.Last().kind, BoxKind::Information) << m_boxes.Last().text.toStdString();
        const QString label = Find<QLabel>(*window, "percentLabel")->text();
        EXPECT_TRUE(MatchesWhole(test.pattern, label)) << label.toStdString();
        EXPECT_EQ(window->windowTitle(), "100 % Isomint Stencil 0.91.5");
    }
}

TEST_F(WholeProgramTest, AbortEndsTheChildSilentlyAndClosingDuringABuildAsksFirst)
{
    TestProgramFolder fake(QStringLiteral(ISOMINT_FAKE_MKISOFS));
    fake.WriteSettings(0, 0, 0, QString(), QString(), 0);
    fake.WriteScript(
        {"pid " + fake.File("pid"), "out   12.50% done, estimate finish", "sleep 600000"});
    TestProgramFolder::CopyTree(kFixture, fake.File("dvd"));
    auto window = std::make_unique<MainDialog>(
        fake.Path(), &m_boxes,
        MonitorTimings{std::chrono::milliseconds(20), std::chrono::milliseconds(5000)});
    window->show();
    Fill(*window, fake.File("dvd"), fake.File("movie.iso"), "MOVIE");

    Find<QPushButton>(*window, "imageButton")->click();
    ASSERT_TRUE(RunUntil([&] { return ReadPid(fake.File("pid")) > 0; }));
    const qint64 first = ReadPid(fake.File("pid"));
    Find<QPushButton>(*window, "abortButton")->click();
    // Well inside the 5 s poll: the abort does not wait for the next poll.
    EXPECT_TRUE(RunUntil([&] { return !window->Engine().IsBuilding(); }, 4000));
    EXPECT_EQ(m_boxes.Count(), 0);
    // Ended at once, but reaped by the event loop: it may outlive the build by a moment.
    EXPECT_TRUE(RunUntil([first] { return ProcessGone(first); }, 4000));
    EXPECT_TRUE(Find<QPushButton>(*window, "imageButton")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(*window, "abortButton")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(*window, "logButton")->isEnabled());

    QFile::remove(fake.File("pid"));
    Find<QPushButton>(*window, "imageButton")->click();
    ASSERT_TRUE(RunUntil([&] { return ReadPid(fake.File("pid")) > 0; }));
    const qint64 second = ReadPid(fake.File("pid"));
    // Closing asks first; No keeps the build going.
    m_boxes.Answer(BoxAnswer::No);
    window->close();
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last().text, "A build is running. Abort it and quit?");
    EXPECT_EQ(m_boxes.Last().kind, BoxKind::WarningYesNo);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->Engine().IsBuilding());
    EXPECT_FALSE(ProcessGone(second));
    m_boxes.Answer(BoxAnswer::Yes);
    window->close();
    EXPECT_EQ(m_boxes.Count(), 2);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->Engine().IsBuilding());
    EXPECT_TRUE(RunUntil([second] { return ProcessGone(second); }, 4000));
}

TEST_F(WholeProgramTest, SplitBuildHandsTheListToTheRecorder)
{
    TestProgramFolder fake(QStringLiteral(ISOMINT_FAKE_MKISOFS));
    fake.WriteSettings(1, 1, 0, Recorder(), "F:", 0);
    // The fake hands out a real image of the source, cut in three.
    ASSERT_TRUE(TestProgramFolder::BuildRealImage(kFixture, fake.File("real.iso")));
    fake.WriteScript({"out  50.00% done", "image " + fake.File("real.iso") + " 3", "exit 0"});
    TestProgramFolder::CopyTree(kFixture, fake.File("dvd"));
    auto window = std::make_unique<MainDialog>(
        fake.Path(), &m_boxes,
        MonitorTimings{std::chrono::milliseconds(10), std::chrono::milliseconds(100)});
    window->show();
    Find<QCheckBox>(*window, "shutdownCheck")->click();
    Fill(*window, fake.File("dvd"), fake.File("movie.iso"), "MOVIE");

    Find<QPushButton>(*window, "imageButton")->click();
    ASSERT_TRUE(RunUntil([&] { return !window->Engine().IsBuilding(); }));
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last().caption, "Information");

    const QString list = fake.File("movie.lst");
    const QStringList handedOver({m_folder.File("bin/wine"), m_folder.File("DVD Decrypter.exe"),
                                  "/MODE", "ISOWRITE", "/START", "/VERIFY", "NO", "/SHUTDOWN",
                                  "/SPEED", "MAX", "/SRC", list, "/DEST", "F:"});
    EXPECT_EQ(ReadRecord(m_folder.File("record")).mid(1), handedOver);
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray base = QFile::encodeName(fake.File("movie.iso"));
    EXPECT_EQ(file.readAll(),
              "IMAGELIST\r\n" + base + "_00\r\n" + base + "_01\r\n" + base + "_02\r\n");

    // The list chosen later with the File menu's command goes the same way.
    QFile::remove(m_folder.File("record"));
    CXFileDialog::SetNextAnswer(list);
    Find<QAction>(*window, "recordImageAction")->trigger();
    EXPECT_EQ(ReadRecord(m_folder.File("record")).mid(1), handedOver);
    EXPECT_EQ(m_boxes.Count(), 1);
}

} // namespace
