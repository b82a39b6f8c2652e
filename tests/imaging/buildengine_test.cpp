#include "imaging/windowbuild.h"

#include "fakes/fakebuildwindow.h"
#include "fakes/testprogramfolder.h"
#include "settings/programsettings.h"
#include "support/eventloop.h"
#include "support/filetimes.h"
#include "support/scriptedmessagebox.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// StartBuild with the scriptable mkisofs in a scratch program folder.
class BuildEngineTest : public ::testing::Test
{
protected:
    // A real image of the fixture, for the fake to hand out as what it built.
    static void SetUpTestSuite()
    {
        s_images = new QTemporaryDir;
        ASSERT_TRUE(
            TestProgramFolder::BuildRealImage(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset", Image()));
    }
    static void TearDownTestSuite()
    {
        delete s_images;
        s_images = nullptr;
    }
    static QString Image() { return s_images->filePath("one-titleset.iso"); }

    void SetUp() override
    {
        m_settings.SetProgramFolder(m_folder.Path());
        m_engine.SetProgramFolder(m_folder.Path());
        m_window.HandOverImagesOf(m_engine, m_settings);
        m_folder.WriteSettings(0, 0, 0, QString(), QString(), 0);
        m_folder.WriteScript({"exit 0"});
    }
    void TearDown() override { qunsetenv("ISOMINT_FAKE_MKISOFS_SCRIPT"); }

    // A DVD-Video source folder under the given name.
    QString Source(const QString& name)
    {
        const QString path = m_folder.File(name);
        EXPECT_TRUE(TestProgramFolder::CopyTree(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset", path));
        return path;
    }

    void Fields(const QString& source, const QString& output, const QString& volume)
    {
        m_window.controls = {source, output, volume};
    }

    bool Build()
    {
        m_engine.StartBuild();
        return RunUntil([this] { return !m_engine.IsBuilding(); });
    }

    QByteArray Read(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    static QByteArray Fields(const QStringList& texts)
    {
        QByteArray all;
        for (const QString& text : texts)
            all += QFile::encodeName(text) + '\0';
        return all;
    }

    // The arguments the fake got, the image's name in the private folder beside
    // the Output File (".<name>.isomint-XXXXXX/<name>") put back to the final name.
    QByteArray ArgvWithFinalName(const QString& output) const
    {
        QList<QByteArray> fields = Read(m_folder.File("argv")).split('\0');
        const qsizetype at = fields.indexOf("-o") + 1;
        const QFileInfo final(output);
        const QString staged = QFile::decodeName(fields.value(at));
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(
            QRegularExpression::escape(final.path() + "/." + final.fileName() + ".isomint-") +
            "[A-Za-z0-9]{6}/" + QRegularExpression::escape(final.fileName())));
        EXPECT_TRUE(pattern.match(staged).hasMatch()) << staged.toStdString();
        if (at > 0)
            fields[at] = QFile::encodeName(output);
        return fields.join('\0');
    }

    static QTemporaryDir* s_images;
    TestProgramFolder m_folder{QStringLiteral(ISOMINT_FAKE_MKISOFS)};
    ScriptedMessageBox m_boxes;
    FakeBuildWindow m_window{m_boxes};
    ProgramSettings m_settings{m_boxes};
    WindowBuild m_engine{m_window, m_window.Boxes(), m_settings, {10ms, 50ms, 100ms}};
};

QTemporaryDir* BuildEngineTest::s_images = nullptr;

TEST_F(BuildEngineTest, RefusalsReportAndGiveTheWindowBackWithTheCaptureUntouched)
{
    QFile capture(m_engine.CaptureFilePath());
    ASSERT_TRUE(capture.open(QIODevice::WriteOnly));
    capture.write("last build\n");
    capture.close();

    Fields(Source("dvd"), QString(), "x");
    m_engine.StartBuild();
    EXPECT_EQ(m_window.events,
              QStringList({"enter busy", "take fields", "box Error", "leave busy"}));
    EXPECT_TRUE(m_boxes.Last().text.startsWith("Missing needed information."));
    EXPECT_FALSE(m_engine.IsBuilding());

    m_window.events.clear();
    Fields(m_folder.File("dvd"), m_folder.File("out.iso"), "my disc!");
    m_engine.StartBuild();
    EXPECT_EQ(m_window.events,
              QStringList({"enter busy", "take fields", "box Error!", "leave busy"}));
    EXPECT_TRUE(m_boxes.Last().text.startsWith("Unsupported character (\"!\") in Volume ID."));
    EXPECT_EQ(m_window.controls.volumeId, "my disc!");
    EXPECT_EQ(m_window.stored.volumeId, "MY_DISC!");

    // Folder check refusals come with that check's own message.
    m_window.events.clear();
    QDir().mkpath(m_folder.File("empty"));
    Fields(m_folder.File("empty"), m_folder.File("out.iso"), "ok");
    m_engine.StartBuild();
    EXPECT_EQ(m_window.events,
              QStringList({"enter busy", "take fields", "show fields", "box Error", "leave busy"}));
    EXPECT_TRUE(m_boxes.Last().text.startsWith("Can't find a \"VIDEO_TS\" directory."));

    // With the size check on, an empty source ends the attempt silently.
    m_folder.WriteSettings(0, 0, 0, QString(), QString(), 1);
    m_window.events.clear();
    m_boxes.Clear();
    m_engine.StartBuild();
    EXPECT_EQ(m_window.events, QStringList({"enter busy", "take fields", "leave busy"}));
    EXPECT_EQ(m_boxes.Count(), 0);

    EXPECT_EQ(Read(m_engine.CaptureFilePath()), "last build\n");
}

TEST_F(BuildEngineTest, ArgumentsReachMkisofsExactlyAsTyped)
{
    const QString source = Source("-dvd \"quoted\" $HOME\nline");
    const QString output = m_folder.File("it's $out \"x\".iso");
    m_folder.WriteScript({"argv " + m_folder.File("argv"), "stdin " + m_folder.File("stdin"),
                          "out   1.00% done", "err a warning", "out  50.00% done",
                          "image " + Image(), "exit 0"});
    m_folder.WriteSettings(2, 0, 0, QString(), QString(), 0);
    Fields(source, output, "my disc");
    ASSERT_TRUE(Build());
    EXPECT_EQ(m_window.controls.volumeId, "MY_DISC");
    EXPECT_EQ(ArgvWithFinalName(output), Fields({"-gui", "-dvd-video", "-no-cache-inodes", "-V",
                                                 "MY_DISC", "-o", output, source}));
    EXPECT_EQ(Read(m_folder.File("stdin")), "devnull");
    // What mkisofs printed, in order, then the program's own check of the image.
    const QByteArray capture = Read(m_engine.CaptureFilePath());
    EXPECT_TRUE(capture.startsWith("  1.00% done\na warning\n 50.00% done\nImage check: "))
        << capture.toStdString();
    EXPECT_EQ(m_boxes.Last().caption, "Information");

    m_folder.WriteSettings(1, 0, 0, QString(), QString(), 0);
    m_folder.WriteScript({"argv " + m_folder.File("argv"), "out second build"});
    ASSERT_TRUE(Build());
    EXPECT_EQ(ArgvWithFinalName(output),
              Fields({"-gui", "-dvd-video", "-no-cache-inodes", "-split-output", "-V", "MY_DISC",
                      "-o", output, source}));
    // Each build empties the capture file first.
    EXPECT_TRUE(Read(m_engine.CaptureFilePath()).startsWith("second build\nImage check: "));
}

TEST_F(BuildEngineTest, SplitImageIsListedAndHandedToTheRecorder)
{
    QDir().mkpath(m_folder.File("bin"));
    QFile::link(ISOMINT_FAKE_RECORDER, m_folder.File("bin/wine"));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_folder.File("bin")));
    qputenv("ISOMINT_FAKE_RECORDER_LOG", QFile::encodeName(m_folder.File("record")));
    const QString recorder = m_folder.File("decrypter.exe");
    QFile::copy(ISOMINT_TEST_DATA_DIR "/pe/recorder-3.2.2.1.exe", recorder);
    m_folder.WriteSettings(1, 1, 0, recorder, "F:", 0);
    m_folder.WriteScript({"image " + Image() + " 2", "exit 0"});
    m_window.speedText = QStringLiteral("4x");
    Fields(Source("dvd"), m_folder.File("movie.iso"), "movie");
    ASSERT_TRUE(Build());
    qputenv("PATH", path);
    qunsetenv("ISOMINT_FAKE_RECORDER_LOG");

    EXPECT_EQ(Read(m_folder.File("movie.lst")),
              "IMAGELIST\r\n" + QFile::encodeName(m_folder.File("movie.iso_00")) + "\r\n" +
                  QFile::encodeName(m_folder.File("movie.iso_01")) + "\r\n");
    ASSERT_TRUE(RunUntil([this] { return QFile::exists(m_folder.File("record")); }));
    EXPECT_EQ(Read(m_folder.File("record")),
              Fields({QDir::currentPath(), m_folder.File("bin/wine"), recorder, "/MODE", "ISOWRITE",
                      "/START", "/VERIFY", "NO", "/SPEED", "4x", "/SRC", m_folder.File("movie.lst"),
                      "/DEST", "F:"}));
    EXPECT_EQ(m_boxes.Count(), 1);
    EXPECT_EQ(m_boxes.Last().caption, "Information");
}

TEST_F(BuildEngineTest, OneBuildAtATimeAndAbortEndsItSilently)
{
    m_folder.WriteScript({"out 3% done", "sleep 60000"});
    Fields(Source("dvd"), m_folder.File("movie.iso"), "movie");
    m_engine.StartBuild();
    m_engine.StartBuild();
    EXPECT_EQ(m_window.events.count("enter busy"), 1);
    ASSERT_TRUE(RunUntil([this] { return m_window.position == 3; }));
    m_engine.AbortBuild();
    ASSERT_TRUE(RunUntil([this] { return !m_engine.IsBuilding(); }));
    EXPECT_EQ(m_boxes.Count(), 0);
    EXPECT_TRUE(m_window.logEnabled);
    EXPECT_FALSE(m_window.busy);
}

TEST_F(BuildEngineTest, RelativePathsAreMadeAbsoluteAndShownBeforeTheBuild)
{
    Source("-version");
    m_folder.WriteScript({"argv " + m_folder.File("argv"), "image " + Image(), "exit 0"});
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_folder.Path());
    Fields("-version", "movie.iso", "movie");
    const bool built = Build();
    QDir::setCurrent(before);
    ASSERT_TRUE(built);
    const QString source = QDir(m_folder.Path()).filePath("-version");
    const QString output = QDir(m_folder.Path()).filePath("movie.iso");
    EXPECT_EQ(m_window.controls.sourceDirectory, source);
    EXPECT_EQ(m_window.controls.outputFile, output);
    EXPECT_EQ(ArgvWithFinalName(output), Fields({"-gui", "-dvd-video", "-no-cache-inodes", "-V",
                                                 "MOVIE", "-o", output, source}));
    EXPECT_EQ(m_boxes.Last().caption, "Information");
}

TEST_F(BuildEngineTest, AnOutputFileInsideTheSourceIsRefusedBeforeAnythingChanges)
{
    const QString source = Source("dvd");
    ASSERT_TRUE(
        QFile::rename(source + "/VIDEO_TS/VTS_01_0.BUP", source + "/VIDEO_TS/vts_01_0.bup"));
    m_folder.WriteScript({"touch " + m_folder.File("ran")});
    // Directly, and through a link to the source folder.
    QFile::link(source, m_folder.File("alias"));
    for (const QString& output :
         {source + "/VIDEO_TS/VTS_01_1.VOB", m_folder.File("alias/x.iso")}) {
        m_boxes.Clear();
        Fields(source, output, "movie");
        m_engine.StartBuild();
        ASSERT_EQ(m_boxes.Count(), 1);
        EXPECT_EQ(m_boxes.Last().caption, "Error");
        EXPECT_TRUE(
            m_boxes.Last().text.startsWith("The Output File \"" + output + "\" lies inside"))
            << m_boxes.Last().text.toStdString();
    }
    EXPECT_FALSE(QFile::exists(m_folder.File("ran")));
    EXPECT_TRUE(QFile::exists(source + "/VIDEO_TS/vts_01_0.bup")); // nothing renamed
    EXPECT_FALSE(QFile::exists(source + "/AUDIO_TS"));
}

TEST_F(BuildEngineTest, APathThatIsNotUtf8IsRefused)
{
    const QString mangled = m_folder.File(QFile::decodeName("caf\xe9"));
    ASSERT_TRUE(mangled.contains(QChar::ReplacementCharacter));
    m_folder.WriteScript({"touch " + m_folder.File("ran")});
    Fields(Source("dvd"), mangled + ".iso", "movie");
    m_engine.StartBuild();
    Fields(mangled, m_folder.File("movie.iso"), "movie");
    m_engine.StartBuild();
    ASSERT_EQ(m_boxes.Count(), 2);
    for (const MessageBoxRequest& box : m_boxes.Shown())
        EXPECT_TRUE(box.text.contains("is not valid UTF-8 text")) << box.text.toStdString();
    EXPECT_FALSE(QFile::exists(m_folder.File("ran")));
}

// Backdates a file, as one left by an earlier build.
void MakeOld(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("earlier build");
    file.flush();
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    WaitPastChangeTime(path);
}

TEST_F(BuildEngineTest, OnlyTheChunksOfThisBuildAreListed)
{
    m_folder.WriteSettings(1, 0, 0, QString(), QString(), 0);
    MakeOld(m_folder.File("movie.iso_02"));
    MakeOld(m_folder.File("movie.iso_03"));
    m_folder.WriteScript({"image " + Image() + " 2", "exit 0"});
    Fields(Source("dvd"), m_folder.File("movie.iso"), "movie");
    ASSERT_TRUE(Build());
    EXPECT_EQ(m_boxes.Last().caption, "Information");
    EXPECT_EQ(Read(m_folder.File("movie.lst")),
              "IMAGELIST\r\n" + QFile::encodeName(m_folder.File("movie.iso_00")) + "\r\n" +
                  QFile::encodeName(m_folder.File("movie.iso_01")) + "\r\n");
    EXPECT_TRUE(QFile::exists(m_folder.File("movie.iso_02"))); // not ours to remove
}

TEST_F(BuildEngineTest, AFailedAbortedOrIncompleteBuildRemovesWhatItWroteAndNothingElse)
{
    const QString image = m_folder.File("movie.iso");
    const QString source = Source("dvd");
    struct Case
    {
        QStringList script;
        bool abort;
        const char* caption;
    };
    const Case cases[] = {
        {{"partial 4096", "exit 3"}, false, "Error"},
        {{"partial 4096", "exit 0"}, false, "Error"}, // exit 0, but no DVD-Video image
        {{"partial 4096", "touch " + m_folder.File("written"), "sleep 60000"}, true, nullptr},
    };
    for (const Case& test : cases) {
        m_boxes.Clear();
        QFile::remove(m_folder.File("written"));
        m_folder.WriteScript(test.script);
        Fields(source, image, "movie");
        m_engine.StartBuild();
        if (test.abort) {
            ASSERT_TRUE(RunUntil([this] { return QFile::exists(m_folder.File("written")); }));
            m_engine.AbortBuild();
        }
        ASSERT_TRUE(RunUntil([this] { return !m_engine.IsBuilding(); }));
        EXPECT_EQ(m_boxes.Count(), test.caption ? 1 : 0);
        if (test.caption) {
            EXPECT_EQ(m_boxes.Last().caption, test.caption);
        }
        EXPECT_FALSE(QFile::exists(image)) << test.script.join(" ").toStdString();
        EXPECT_TRUE(Read(m_engine.CaptureFilePath())
                        .contains("Removed the incomplete image file \"" +
                                  QFile::encodeName(m_folder.File(".movie.iso.isomint-"))));
    }

    // A file the failed run never touched stays.
    MakeOld(image);
    m_folder.WriteScript({"exit 255"});
    ASSERT_TRUE(Build());
    EXPECT_EQ(Read(image), "earlier build");
    EXPECT_FALSE(Read(m_engine.CaptureFilePath()).contains("Removed"));
    EXPECT_TRUE(
        m_boxes.Last().text.endsWith("\n\nThe earlier image \"" + image + "\" was kept as it was."))
        << m_boxes.Last().text.toStdString();
}

TEST_F(BuildEngineTest, MissingMkisofsIsASystemErrorWithItsErrno)
{
    QFile::remove(m_folder.File("mkisofs"));
    Fields(Source("dvd"), m_folder.File("movie.iso"), "movie");
    ASSERT_TRUE(Build());
    ASSERT_EQ(m_boxes.Count(), 1);
    EXPECT_TRUE(m_boxes.Last().text.startsWith("System Error # 2!"));
    // The outcome's own text, then what is missing and where it comes from.
    EXPECT_TRUE(m_boxes.Last().text.endsWith(
        "\n\nThe image builder \"" + m_folder.File("mkisofs") +
        "\" cannot be started: No such file or directory.\nIt comes with the Debian package "
        "\"genisoimage\"."))
        << m_boxes.Last().text.toStdString();
}

TEST_F(BuildEngineTest, TheCaptureFileGoesOnANormalQuit)
{
    const QString path = m_engine.CaptureFilePath();
    ASSERT_TRUE(QFile::exists(path));
    QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit", Qt::DirectConnection);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(BuildEngineCaptureTest, ACaptureFileThatCannotBeMadeIsReportedAsAFailedStart)
{
    const bool hadTemp = qEnvironmentVariableIsSet("TEMP");
    const QByteArray temp = qgetenv("TEMP");
    TestProgramFolder folder{QStringLiteral(ISOMINT_FAKE_MKISOFS)};
    qputenv("TEMP", QFile::encodeName(folder.File("no such folder")));
    ScriptedMessageBox boxes;
    FakeBuildWindow window{boxes};
    ProgramSettings settings{boxes};
    settings.SetProgramFolder(folder.Path());
    folder.WriteSettings(0, 0, 0, QString(), QString(), 0);
    folder.WriteScript({"touch " + folder.File("ran")});
    WindowBuild engine{window, window.Boxes(), settings, {10ms, 50ms, 100ms}};
    engine.SetProgramFolder(folder.Path());
    ASSERT_TRUE(
        TestProgramFolder::CopyTree(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset", folder.File("dvd")));
    window.controls = {folder.File("dvd"), folder.File("out.iso"), "ok"};
    engine.StartBuild();
    ASSERT_TRUE(RunUntil([&] { return !engine.IsBuilding(); }));
    qunsetenv("ISOMINT_FAKE_MKISOFS_SCRIPT");
    hadTemp ? qputenv("TEMP", temp) : qunsetenv("TEMP");
    // mkisofs is not even started when its output could not be kept.
    EXPECT_FALSE(QFile::exists(folder.File("ran")));
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().text.startsWith("System Error # 2!"));
    EXPECT_EQ(window.events.last(), "enable log");
}

} // namespace
