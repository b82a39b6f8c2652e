#include "imaging/buildengine.h"

#include "fakes/enginerun.h"
#include "fakes/testprogramfolder.h"
#include "support/eventloop.h"
#include "support/filetimes.h"

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

// The engine with the scriptable mkisofs in a scratch program folder.
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
        m_run.engine.SetProgramFolder(m_folder.Path());
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

    bool Build(const QString& source, const QString& output, const QString& volume,
               bool split = false)
    {
        return m_run.Build({source, output, volume, split});
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
    EngineRun m_run{{10ms, 50ms, 100ms}};
};

QTemporaryDir* BuildEngineTest::s_images = nullptr;

TEST_F(BuildEngineTest, RefusalsSayWhyTakeTheRequestAsFarAsItWentAndKeepTheCapture)
{
    QFile capture(m_run.engine.CaptureFilePath());
    ASSERT_TRUE(capture.open(QIODevice::WriteOnly));
    capture.write("last build\n");
    capture.close();
    m_folder.WriteScript({"touch " + m_folder.File("ran")});
    QDir().mkpath(m_folder.File("empty"));
    const QString dvd = Source("dvd");
    struct Case
    {
        BuildRequest request;
        RequestStage stage;
        const char* caption; // nullptr: no message at all
        QString text;        // what the message starts with
        QString volumeId;    // as taken
    };
    const Case cases[] = {
        {{dvd, QString(), "x"}, RequestStage::Taken, "Error", "Missing needed information.", "x"},
        {{dvd, m_folder.File("out.iso"), "my disc!"},
         RequestStage::VolumeIdDerived,
         "Error!",
         "Unsupported character (\"!\") in Volume ID.",
         "MY_DISC!"},
        // The folder check's refusals come with that check's own message.
        {{m_folder.File("empty"), m_folder.File("out.iso"), "ok"},
         RequestStage::Accepted,
         "Error",
         "Can't find a \"VIDEO_TS\" directory.",
         "OK"},
        // With the size check on, an empty source ends the attempt silently.
        {{m_folder.File("empty"), m_folder.File("out.iso"), "ok", false, true},
         RequestStage::PathsResolved,
         nullptr,
         {},
         "ok"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.request.volumeId.toStdString());
        const BuildStart start = m_run.Start(test.request);
        ASSERT_TRUE(start.refusal);
        EXPECT_FALSE(m_run.engine.IsBuilding());
        EXPECT_EQ(start.stage, test.stage);
        EXPECT_EQ(start.request.volumeId, test.volumeId);
        EXPECT_EQ(m_run.Silent(), test.caption == nullptr);
        if (test.caption) {
            EXPECT_EQ(m_run.Caption(), test.caption);
            EXPECT_TRUE(m_run.Message().startsWith(test.text)) << m_run.Message().toStdString();
        }
        EXPECT_EQ(m_run.events.join(" | "), ""); // a refusal ends without any signal
    }
    EXPECT_EQ(m_run.decisions.asked.join(" | "), "");
    EXPECT_FALSE(QFile::exists(m_folder.File("ran")));
    EXPECT_EQ(Read(m_run.engine.CaptureFilePath()), "last build\n");
}

TEST_F(BuildEngineTest, ArgumentsReachMkisofsExactlyAsTyped)
{
    const QString source = Source("-dvd \"quoted\" $HOME\nline");
    const QString output = m_folder.File("it's $out \"x\".iso");
    m_folder.WriteScript({"argv " + m_folder.File("argv"), "stdin " + m_folder.File("stdin"),
                          "out   1.00% done", "err a warning", "out  50.00% done",
                          "image " + Image(), "exit 0"});
    const BuildStart start = m_run.Start({source, output, "my disc"});
    EXPECT_EQ(start.request.volumeId, "MY_DISC");
    ASSERT_TRUE(m_run.WaitForEnd());
    EXPECT_EQ(ArgvWithFinalName(output), Fields({"-gui", "-dvd-video", "-no-cache-inodes", "-V",
                                                 "MY_DISC", "-o", output, source}));
    EXPECT_EQ(Read(m_folder.File("stdin")), "devnull");
    // What mkisofs printed, in order, then the program's own check of the image.
    const QByteArray capture = Read(m_run.engine.CaptureFilePath());
    EXPECT_TRUE(capture.startsWith("  1.00% done\na warning\n 50.00% done\nImage check: "))
        << capture.toStdString();
    EXPECT_EQ(m_run.result.outcome, BuildOutcome::Built);
    // The complete image is announced before the end, the end before the lock goes.
    EXPECT_EQ(m_run.events.mid(m_run.events.size() - 3).join(" | "),
              "built " + output + " 1 | ended | finished")
        << m_run.events.join(" | ").toStdString();
    EXPECT_EQ(m_run.progress.last(), 100);

    m_folder.WriteScript({"argv " + m_folder.File("argv"), "out second build"});
    ASSERT_TRUE(Build(source, output, "my disc", true));
    EXPECT_EQ(ArgvWithFinalName(output),
              Fields({"-gui", "-dvd-video", "-no-cache-inodes", "-split-output", "-V", "MY_DISC",
                      "-o", output, source}));
    // Each build empties the capture file first.
    EXPECT_TRUE(Read(m_run.engine.CaptureFilePath()).startsWith("second build\nImage check: "));
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

// Chunks an earlier, longer build left are neither announced nor removed.
TEST_F(BuildEngineTest, ASplitImageNamesOnlyTheChunksOfThisBuild)
{
    MakeOld(m_folder.File("movie.iso_02"));
    MakeOld(m_folder.File("movie.iso_03"));
    m_folder.WriteScript({"image " + Image() + " 2", "exit 0"});
    const QString output = m_folder.File("movie.iso");
    ASSERT_TRUE(Build(Source("dvd"), output, "movie", true));
    EXPECT_EQ(m_run.result.outcome, BuildOutcome::Built) << m_run.Message().toStdString();
    EXPECT_EQ(m_run.Caption(), "Information");
    EXPECT_EQ(m_run.builtChunks, 2);
    EXPECT_EQ(m_run.result.parts, QStringList({output + "_00", output + "_01"}));
    EXPECT_EQ(Read(m_folder.File("movie.iso_02")), "earlier build"); // not ours to remove
}

TEST_F(BuildEngineTest, OneBuildAtATimeAndAbortEndsItSilently)
{
    m_folder.WriteScript({"out 3% done", "sleep 60000"});
    const BuildRequest request{Source("dvd"), m_folder.File("movie.iso"), "movie"};
    ASSERT_FALSE(m_run.Start(request).refusal);
    const BuildStart second = m_run.engine.Start(request, m_run.decisions);
    ASSERT_TRUE(second.refusal);
    EXPECT_EQ(second.refusal->refusal, "A build is already running.");
    ASSERT_TRUE(RunUntil([this] { return m_run.progress.contains(3); }));
    m_run.engine.Abort();
    ASSERT_TRUE(m_run.WaitForEnd());
    EXPECT_EQ(m_run.result.outcome, BuildOutcome::Aborted);
    EXPECT_TRUE(m_run.Silent());
    EXPECT_EQ(m_run.builtChunks, -1);
}

TEST_F(BuildEngineTest, RelativePathsAreMadeAbsoluteBeforeTheBuild)
{
    Source("-version");
    m_folder.WriteScript({"argv " + m_folder.File("argv"), "image " + Image(), "exit 0"});
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_folder.Path());
    const BuildStart start = m_run.Start({"-version", "movie.iso", "movie"});
    QDir::setCurrent(before);
    ASSERT_TRUE(m_run.WaitForEnd());
    const QString source = QDir(m_folder.Path()).filePath("-version");
    const QString output = QDir(m_folder.Path()).filePath("movie.iso");
    EXPECT_EQ(start.request.sourceDirectory, source);
    EXPECT_EQ(start.request.outputFile, output);
    EXPECT_EQ(ArgvWithFinalName(output), Fields({"-gui", "-dvd-video", "-no-cache-inodes", "-V",
                                                 "MOVIE", "-o", output, source}));
    EXPECT_EQ(m_run.Caption(), "Information");
}

TEST_F(BuildEngineTest, AnOutputInsideTheSourceOrAPathThatIsNotUtf8IsRefusedBeforeAnythingChanges)
{
    const QString source = Source("dvd");
    ASSERT_TRUE(
        QFile::rename(source + "/VIDEO_TS/VTS_01_0.BUP", source + "/VIDEO_TS/vts_01_0.bup"));
    m_folder.WriteScript({"touch " + m_folder.File("ran")});
    const QString mangled = m_folder.File(QFile::decodeName("caf\xe9"));
    ASSERT_TRUE(mangled.contains(QChar::ReplacementCharacter));
    // Directly, and through a link to the source folder.
    QFile::link(source, m_folder.File("alias"));
    const struct
    {
        QString source;
        QString output;
        QString text;
    } cases[] = {
        {source, source + "/VIDEO_TS/VTS_01_1.VOB",
         "The Output File \"" + source + "/VIDEO_TS/VTS_01_1.VOB\" lies inside"},
        {source, m_folder.File("alias/x.iso"),
         "The Output File \"" + m_folder.File("alias/x.iso") + "\" lies inside"},
        {source, mangled + ".iso", "is not valid UTF-8 text"},
        {mangled, m_folder.File("movie.iso"), "is not valid UTF-8 text"},
    };
    for (const auto& test : cases) {
        ASSERT_TRUE(m_run.Start({test.source, test.output, "movie"}).refusal);
        EXPECT_EQ(m_run.Caption(), "Error");
        EXPECT_TRUE(m_run.Message().contains(test.text)) << m_run.Message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(m_folder.File("ran")));
    EXPECT_TRUE(QFile::exists(source + "/VIDEO_TS/vts_01_0.bup")); // nothing renamed
    EXPECT_FALSE(QFile::exists(source + "/AUDIO_TS"));
}

TEST_F(BuildEngineTest, AFailedAbortedOrIncompleteBuildRemovesWhatItWroteAndNothingElse)
{
    const QString image = m_folder.File("movie.iso");
    const QString source = Source("dvd");
    struct Case
    {
        QStringList script;
        bool abort;
        BuildOutcome outcome;
    };
    const Case cases[] = {
        {{"partial 4096", "exit 3"}, false, BuildOutcome::BuildFailed},
        // exit 0, but no DVD-Video image
        {{"partial 4096", "exit 0"}, false, BuildOutcome::CheckFailed},
        {{"partial 4096", "touch " + m_folder.File("written"), "sleep 60000"},
         true,
         BuildOutcome::Aborted},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.script.join(" ").toStdString());
        QFile::remove(m_folder.File("written"));
        m_folder.WriteScript(test.script);
        ASSERT_FALSE(m_run.Start({source, image, "movie"}).refusal);
        if (test.abort) {
            ASSERT_TRUE(RunUntil([this] { return QFile::exists(m_folder.File("written")); }));
            m_run.engine.Abort();
        }
        ASSERT_TRUE(m_run.WaitForEnd());
        EXPECT_EQ(m_run.result.outcome, test.outcome);
        EXPECT_EQ(m_run.Silent(), test.abort);
        EXPECT_FALSE(QFile::exists(image));
        EXPECT_TRUE(Read(m_run.engine.CaptureFilePath())
                        .contains("Removed the incomplete image file \"" +
                                  QFile::encodeName(m_folder.File(".movie.iso.isomint-"))));
    }

    // A file the failed run never touched stays.
    MakeOld(image);
    m_folder.WriteScript({"exit 255"});
    ASSERT_TRUE(Build(source, image, "movie"));
    EXPECT_EQ(Read(image), "earlier build");
    EXPECT_FALSE(Read(m_run.engine.CaptureFilePath()).contains("Removed"));
    EXPECT_TRUE(
        m_run.Message().endsWith("\n\nThe earlier image \"" + image + "\" was kept as it was."))
        << m_run.Message().toStdString();
}

TEST_F(BuildEngineTest, MissingMkisofsIsASystemErrorWithItsErrno)
{
    QFile::remove(m_folder.File("mkisofs"));
    ASSERT_TRUE(Build(Source("dvd"), m_folder.File("movie.iso"), "movie"));
    EXPECT_EQ(m_run.result.outcome, BuildOutcome::BuildFailed);
    EXPECT_TRUE(m_run.Message().startsWith("System Error # 2!"));
    // The outcome's own text, then what is missing and where it comes from.
    EXPECT_TRUE(m_run.Message().endsWith(
        "\n\nThe image builder \"" + m_folder.File("mkisofs") +
        "\" cannot be started: No such file or directory.\nIt comes with the Debian package "
        "\"genisoimage\"."))
        << m_run.Message().toStdString();
}

TEST_F(BuildEngineTest, TheCaptureFileGoesOnANormalQuit)
{
    const QString path = m_run.engine.CaptureFilePath();
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
    folder.WriteScript({"touch " + folder.File("ran")});
    EngineRun run{{10ms, 50ms, 100ms}};
    run.engine.SetProgramFolder(folder.Path());
    ASSERT_TRUE(
        TestProgramFolder::CopyTree(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset", folder.File("dvd")));
    const bool ended = run.Build({folder.File("dvd"), folder.File("out.iso"), "ok"});
    qunsetenv("ISOMINT_FAKE_MKISOFS_SCRIPT");
    hadTemp ? qputenv("TEMP", temp) : qunsetenv("TEMP");
    ASSERT_TRUE(ended);
    // mkisofs is not even started when its output could not be kept.
    EXPECT_FALSE(QFile::exists(folder.File("ran")));
    EXPECT_EQ(run.result.outcome, BuildOutcome::BuildFailed);
    EXPECT_TRUE(run.Message().startsWith("System Error # 2!")) << run.Message().toStdString();
    // Through Ended, as for any started build, so a face gives its window back.
    EXPECT_EQ(run.events.join(" | "), "progress 0 | ended | finished");
}

} // namespace
