// The main window's side of a build: what the window shows of a build and
// when (busy state, fields, progress, the box, "&Log"). What the engine
// decides is tested on the engine itself.
#include "app/progressview.h"
#include "app/windowbuild.h"

#include "fakes/fakebuildwindow.h"
#include "fakes/testprogramfolder.h"
#include "settings/programsettings.h"
#include "support/eventloop.h"
#include "support/scriptedmessagebox.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

class WindowBuildTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_settings.SetProgramFolder(m_folder.Path());
        m_build.SetProgramFolder(m_folder.Path());
        m_folder.WriteSettings(0, 0, 0, QString(), QString(), 0);
        ASSERT_TRUE(TestProgramFolder::CopyTree(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset", Dvd()));
        QDir().mkpath(m_folder.File("empty"));
    }
    void TearDown() override { qunsetenv("ISOMINT_FAKE_MKISOFS_SCRIPT"); }

    QString Dvd() const { return m_folder.File("dvd"); }

    // Starts a build from the fields and runs until the window is given back.
    void Build(const QString& source, const QString& output, const QString& volume)
    {
        m_window.events.clear();
        m_window.controls = {source, output, volume};
        m_build.StartBuild();
        ASSERT_TRUE(RunUntil([this] { return !m_build.IsBuilding(); }));
    }

    std::string Events() const { return m_window.events.join(" | ").toStdString(); }

    TestProgramFolder m_folder{QStringLiteral(ISOMINT_FAKE_MKISOFS)};
    ScriptedMessageBox m_boxes;
    FakeBuildWindow m_window{m_boxes};
    ProgramSettings m_settings;
    WindowBuild m_build{m_window, m_window.Boxes(), m_settings, {10ms, 50ms, 100ms}};
};

// The fields show what the engine took, as far as it took it: a volume ID it
// found wrong is stored, but shown only once it passed.
TEST_F(WindowBuildTest, ARefusalIsABoxBetweenEnteringAndLeavingTheBusyState)
{
    m_folder.WriteScript({"touch " + m_folder.File("ran")});
    const struct
    {
        QString source;
        QString volume;
        std::string events;
    } cases[] = {
        {Dvd(), "my disc!", "enter busy | take fields | box Error! | leave busy"},
        {m_folder.File("empty"), "ok",
         "enter busy | take fields | show fields | box Error | leave busy"},
    };
    for (const auto& test : cases) {
        Build(test.source, m_folder.File("out.iso"), test.volume);
        EXPECT_EQ(Events(), test.events);
        EXPECT_FALSE(m_window.busy);
    }
    EXPECT_EQ(m_window.controls.volumeId, "OK");
    Build(Dvd(), m_folder.File("out.iso"), "my disc!");
    EXPECT_EQ(m_window.controls.volumeId, "my disc!");
    EXPECT_EQ(m_window.stored.volumeId, "MY_DISC!");
    EXPECT_FALSE(QFile::exists(m_folder.File("ran")));
    EXPECT_FALSE(m_window.logEnabled); // nothing was built, so there is no log
}

// A question is a box, over fields that show the request it is about; No
// ends the attempt without a further box.
TEST_F(WindowBuildTest, AQuestionIsABoxAndNoEndsTheAttemptSilently)
{
    m_folder.WriteScript({"touch " + m_folder.File("ran")});
    ASSERT_TRUE(QFile::remove(Dvd() + "/VIDEO_TS/VTS_01_0.BUP"));
    m_boxes.Answer(BoxAnswer::No);
    Build(Dvd(), m_folder.File("out.iso"), "movie");
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last().kind, BoxKind::WarningYesNo);
    EXPECT_EQ(Events(), "enter busy | take fields | show fields | box " +
                            m_boxes.Last().caption.toStdString() + " | leave busy");
    EXPECT_EQ(m_window.controls.volumeId, "MOVIE");
    EXPECT_FALSE(QFile::exists(m_folder.File("ran")));
}

// Progress on bar, label and title; the box, and only then the window back,
// "&Log" enabled. The settings reach the request; relative paths are shown
// made absolute.
TEST_F(WindowBuildTest, ABuildShowsItsProgressThenItsBoxThenGivesTheWindowBack)
{
    QTemporaryDir images;
    const QString image = images.filePath("one.iso");
    ASSERT_TRUE(TestProgramFolder::BuildRealImage(Dvd(), image));
    m_folder.WriteSettings(1, 0, 0, QString(), QString(), 0);
    m_folder.WriteScript({"argv " + m_folder.File("argv"), "out  42.00% done",
                          "waitfor " + m_folder.File("go"), "image " + image + " 1", "exit 0"});
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_folder.Path());
    m_window.controls = {"dvd", "movie.iso", "movie"};
    m_build.StartBuild();
    QDir::setCurrent(before);
    m_build.StartBuild(); // a second click while it runs does nothing
    EXPECT_EQ(m_window.controls.sourceDirectory, Dvd());
    EXPECT_EQ(m_window.controls.outputFile, m_folder.File("movie.iso"));
    ASSERT_TRUE(RunUntil([this] { return m_window.position == 42; }));
    EXPECT_TRUE(m_window.label.startsWith("42 %  ·  ")) << m_window.label.toStdString();
    EXPECT_EQ(m_window.title, "42 % Isomint Stencil 0.91.5");
    QFile(m_folder.File("go")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(RunUntil([this] { return !m_build.IsBuilding(); }));
    EXPECT_EQ(m_window.position, 100);
    EXPECT_EQ(m_window.title, "100 % Isomint Stencil 0.91.5");
    // The paths as made absolute, then the request as accepted.
    EXPECT_EQ(Events(), "enter busy | take fields | show fields | show fields | box Information | "
                        "leave busy | enable log");
    QFile argv(m_folder.File("argv"));
    ASSERT_TRUE(argv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(argv.readAll().contains("-split-output"));

    // An abort: no box, the window back all the same; 0 takes the number off the title.
    m_folder.WriteScript({"out 3% done", "sleep 60000"});
    m_window.events.clear();
    m_boxes.Clear();
    m_build.StartBuild();
    ASSERT_TRUE(RunUntil([this] { return m_window.position == 3; }));
    m_build.AbortBuild();
    ASSERT_TRUE(RunUntil([this] { return !m_build.IsBuilding(); }));
    EXPECT_EQ(m_boxes.Count(), 0);
    EXPECT_EQ(Events(), "enter busy | take fields | show fields | leave busy | enable log");
    EXPECT_EQ(m_window.position, 0);
    EXPECT_EQ(m_window.label, "0 %");
    EXPECT_EQ(m_window.title, "Isomint Stencil 0.91.5");
}

TEST(ProgressTextTest, LabelAndTitleCarryThePercentage)
{
    EXPECT_EQ(PercentLabelText(42), "42 %");
    EXPECT_EQ(PercentLabelText(0), "0 %");
    EXPECT_EQ(BuildTitleText(42), "42 % Isomint Stencil 0.91.5");
    EXPECT_EQ(BuildTitleText(100), "100 % Isomint Stencil 0.91.5");
    EXPECT_EQ(BuildTitleText(0), "Isomint Stencil 0.91.5");
    EXPECT_EQ(BuildTitleText(-5), "-5 % Isomint Stencil 0.91.5");
}

// The label is the bare percentage until a pace can be told, then adds the
// rate in the user's number form and the time left, up to the longest it holds.
TEST(ProgressTextTest, TheLabelAddsThePaceOnceItIsKnown)
{
    constexpr double kMiB = 1048576;
    const struct
    {
        QLocale::Language language;
        ProgressSample sample;
        const char* label;
    } cases[] = {
        {QLocale::C, {0, 5, 1000 * kMiB}, "0 %"},
        {QLocale::C, {42, 0, 1000 * kMiB}, "42 %"},
        {QLocale::C, {42, 40, 0}, "42 %"},
        {QLocale::C, {42, 40, 1000 * kMiB}, "42 %  ·  10.5 MB/s  ·  0:55 left"},
        {QLocale::C, {100, 20, 1000 * kMiB}, "100 %  ·  50.0 MB/s  ·  0:00 left"},
        {QLocale::C, {50, 59999, kMiB}, "50 %  ·  0.0 MB/s  ·  999:59 left"},
        {QLocale::C, {50, 60000, kMiB}, "50 %  ·  0.0 MB/s  ·  -:-- left"},
        {QLocale::German, {50, 2, 4938 * kMiB}, "50 %  ·  1234,5 MB/s  ·  0:02 left"},
        {QLocale::English, {50, 2, 4938 * kMiB}, "50 %  ·  1234.5 MB/s  ·  0:02 left"},
    };
    const QLocale before;
    for (const auto& test : cases) {
        QLocale::setDefault(QLocale(test.language));
        EXPECT_EQ(ProgressLabelText(test.sample), test.label) << test.label;
    }
    QLocale::setDefault(before);
}

} // namespace
