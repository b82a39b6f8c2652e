#include "fakes/testprogramfolder.h"
#include "support/discreader.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

struct CliOutput
{
    int status = -1;
    QString out;
    QString err;
};

// isomint-cli copied into a program folder of its own, beside a mkisofs link
// to the real genisoimage and the folder's own stencil.ini, so that no other
// test's settings reach it. Standard input is a pipe: no terminal.
class CliEndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(ISOMINT_PROGRAM_DIR "/isomint-cli", Cli()));
        m_folder.WriteSettings(0, 0, 0, QString(), QString(), 0);
    }

    QString Cli() const { return m_folder.File("isomint-cli"); }
    QString File(const QString& name) const { return m_folder.File(name); }

    // A copy of a committed fixture, which the folder check may change.
    QString Source(const QString& name, const QString& fixture = "one-titleset") const
    {
        QString path = File(name);
        EXPECT_TRUE(TestProgramFolder::CopyTree(ISOMINT_TEST_DATA_DIR "/dvd/" + fixture, path));
        return path;
    }

    void Start(QProcess& cli, const QStringList& arguments) const
    {
        cli.setWorkingDirectory(m_folder.Path());
        cli.start(Cli(), arguments);
        cli.closeWriteChannel();
    }

    CliOutput
    Run(const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) const
    {
        QProcess cli;
        cli.setProcessEnvironment(environment);
        Start(cli, arguments);
        EXPECT_TRUE(cli.waitForFinished(120000));
        return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
                QString::fromUtf8(cli.readAllStandardOutput()),
                QString::fromUtf8(cli.readAllStandardError())};
    }

    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    // Every name below a folder, for "changes nothing".
    static QStringList Tree(const QString& root)
    {
        QStringList names;
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            names << it.next();
        names.sort();
        return names;
    }

    TestProgramFolder m_folder{QStringLiteral("/usr/bin/genisoimage")};
};

struct StatusCase
{
    const char* name;
    QStringList arguments; // "SRC" is replaced by a fresh copy of the fixture
    int status;
    QString message; // on standard error
    QStringList written;
};

TEST_F(CliEndToEndTest, EachOutcomeHasItsStatusItsMessageAndItsFiles)
{
    const QString vtsMissing = "/VIDEO_TS/VTS_01_0.BUP\nDo you want to continue?";
    const QList<StatusCase> cases = {
        {"built", {"build", "SRC", "out.iso"}, 0, "Action successfully completed!", {"out.iso"}},
        {"split", {"build", "SRC", "out.iso", "--split"}, 0, "", {"out.iso_00", "out.lst"}},
        {"a video folder",
         {"build", "SRC/VIDEO_TS", "out.iso"},
         0,
         "is a VIDEO_TS folder: building the folder that holds it",
         {"out.iso"}},
        {"bad label",
         {"build", "SRC", "out.iso", "--volume-id", "my disc!"},
         3,
         "Unsupported character (\"!\") in Volume ID.",
         {}},
        {"no source",
         {"build", "missing", "out.iso"},
         3,
         "The Source Directory \"" + File("missing") + "\" does not exist.",
         {}},
        {"no output folder for the image",
         {"build", "SRC", "no/such/folder/out.iso"},
         3,
         "No image can be written in the folder \"" + File("no/such/folder") +
             "\": No such file or directory.",
         {}},
        {"no command", {}, 2, "No command given.", {}},
        {"unknown command", {"burn"}, 2, "Unknown command \"burn\".", {}},
        {"one operand", {"build", "SRC"}, 2, "build needs SOURCE and OUTPUT", {}},
        {"no output folder",
         {"build", "SRC", "--output-dir", "no/such/folder"},
         3,
         "The output folder \"no/such/folder\" is not an existing folder.",
         {}},
    };
    for (const StatusCase& test : cases) {
        SCOPED_TRACE(test.name);
        const QString source = Source(QStringLiteral("src-%1").arg(test.name).replace(' ', '-'));
        QStringList arguments = test.arguments;
        arguments.replaceInStrings("SRC", source);
        const CliOutput result = Run(arguments);
        EXPECT_EQ(result.status, test.status) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(test.message)) << result.err.toStdString();
        for (const QString& name : test.written)
            EXPECT_TRUE(QFile::exists(File(name))) << name.toStdString();
        if (test.written.isEmpty()) {
            EXPECT_FALSE(QFile::exists(File("out.iso")));
            // A refused build leaves the source as it was.
            EXPECT_EQ(Tree(source),
                      Tree(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset")
                          .replaceInStrings(ISOMINT_TEST_DATA_DIR "/dvd/one-titleset", source));
        }
        for (const QString& name : test.written)
            QFile::remove(File(name));
    }
}

TEST_F(CliEndToEndTest, ABuiltImagePlaysAndCarriesTheDerivedLabel)
{
    const QString source = Source("My Movie (2001)", "two-titlesets");
    const CliOutput result = Run({"build", source, "movie.iso", "--progress=json"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const DiscInfo disc = ReadWithLsdvd(File("movie.iso"));
    EXPECT_EQ(disc.title, "MY_MOVIE_2001");
    EXPECT_EQ(disc.titles, 2);
    // One JSON object per line, the last at 100 %.
    const QStringList lines = result.out.trimmed().split('\n');
    EXPECT_TRUE(lines.last().startsWith("{\"mbPerSecond\":")) << lines.last().toStdString();
    EXPECT_TRUE(lines.last().contains("\"percent\":100")) << lines.last().toStdString();
    EXPECT_FALSE(QFile::exists(File("movie.iso.lock")));
}

TEST_F(CliEndToEndTest, ABatchBuildsEverySourceAfterABadOneAndNamesImagesByLabel)
{
    ASSERT_TRUE(QDir().mkpath(File("images")));
    ASSERT_TRUE(QDir().mkpath(File("empty")));
    ASSERT_TRUE(QDir().mkpath(File("again")));
    // The second "first" would be built over the first one's image.
    const QString twin = Source("again/first", "two-titlesets");
    const CliOutput result =
        Run({"build", Source("first"), File("empty"), twin, Source("second", "two-titlesets"),
             "--output-dir", File("images")});
    EXPECT_EQ(result.status, 3) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("Can't find a \"VIDEO_TS\" directory."))
        << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(twin + ": another source of this batch is built to"))
        << result.err.toStdString();
    EXPECT_EQ(ReadWithLsdvd(File("images/FIRST.iso")).titles, 1);
    EXPECT_EQ(QDir(File("images")).entryList(QDir::Files),
              QStringList({"FIRST.iso", "SECOND.iso"}));
    EXPECT_EQ(ReadWithLsdvd(File("images/SECOND.iso")).titles, 2);
}

struct QuestionCase
{
    QStringList options;
    int status;
    QString answer;
};

// No terminal on standard input: the safe answer and its reason, unless told.
TEST_F(CliEndToEndTest, QuestionsAreAnsweredByOptionOrSafelyWithoutATerminal)
{
    const QList<QuestionCase> missingFile = {
        {{}, 3, "No terminal to ask on, so the answer is No"},
        {{"--no"}, 3, "Answered No (--no)"},
        {{"--yes"}, 0, "Answered Yes (--yes)"},
    };
    const QString source = Source("lacking");
    ASSERT_TRUE(QFile::remove(source + "/VIDEO_TS/VTS_01_0.BUP"));
    for (const QuestionCase& test : missingFile) {
        SCOPED_TRACE(test.options.join(' ').toStdString());
        const CliOutput result = Run(QStringList({"build", source, "out.iso"}) + test.options);
        EXPECT_EQ(result.status, test.status) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains("Missing file: " + source +
                                        "/VIDEO_TS/VTS_01_0.BUP\nDo you want to continue?"))
            << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(test.answer)) << result.err.toStdString();
        EXPECT_EQ(QFile::exists(File("out.iso")), test.status == 0);
    }

    // A sparse 5 GB file makes the source too large for a single layer; the
    // size check is on by the option or by stencil.ini.
    const QString large = Source("large");
    QFile filler(large + "/filler.bin");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly) && filler.resize(5LL << 30));
    filler.close();
    const CliOutput asked = Run({"build", large, "large.iso", "--size-check"});
    EXPECT_EQ(asked.status, 3);
    EXPECT_TRUE(asked.err.startsWith("The size of the created image exceeds the capacity\n"))
        << asked.err.toStdString();
    m_folder.WriteSettings(0, 0, 0, QString(), QString(), 1);
    EXPECT_EQ(Run({"build", large, "large.iso", "--no"}).status, 3);
    EXPECT_FALSE(QFile::exists(File("large.iso")));
}

TEST_F(CliEndToEndTest, CheckReportsWhatItWouldChangeAndChangesNothing)
{
    const QString source = Source("lower");
    LowerCaseTree(source);
    const QStringList before = Tree(source);
    const CliOutput result = Run({"check", source});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains("Create \"" + source + "/AUDIO_TS\"\n"));
    EXPECT_TRUE(result.out.contains("Rename \"" + source + "/video_ts\" to \"VIDEO_TS\"\n"));
    EXPECT_TRUE(result.out.contains("Rename \"" + source +
                                    "/video_ts/vts_01_1.vob\" to "
                                    "\"VTS_01_1.VOB\"\n"))
        << result.out.toStdString();
    EXPECT_EQ(Tree(source), before);

    ASSERT_EQ(Run({"build", source, "fixed.iso"}).status, 0);
    EXPECT_EQ(Run({"check", source}).out, "Nothing to change.\n");

    // A stray copy beside the real files is noted, not refused, and builds.
    const QString stray = source + "/VIDEO_TS/VIDEO_TS.IFO;1";
    Write(stray, "a stray copy");
    const CliOutput noted = Run({"check", source});
    EXPECT_EQ(noted.out, "Nothing to change.\n");
    EXPECT_EQ(noted.err, "Note: \"" + stray + "\" is not part of the DVD-Video.\n");
    const CliOutput built = Run({"build", source, "stray.iso"});
    EXPECT_EQ(built.status, 0) << built.err.toStdString();
    ASSERT_TRUE(QFile::remove(stray));

    // What the settings found is said once, as a line of its own.
    Write(File("stencil.ini"), QByteArray(65 * 1024, '#'));
    EXPECT_EQ(Run({"check", source}).err, "The settings file \"" + File("stencil.ini") +
                                              "\" is larger than 64 KiB and is ignored.\n");
    m_folder.WriteSettings(0, 0, 0, QString(), QString(), 0);

    ASSERT_TRUE(QFile::remove(source + "/VIDEO_TS/VIDEO_TS.BUP"));
    const CliOutput broken = Run({"check", source});
    EXPECT_EQ(broken.status, 3);
    EXPECT_EQ(broken.err, "Missing needed file: " + source + "/VIDEO_TS/video_ts.bup\n");
}

struct RecordCase
{
    const char* name;
    QStringList arguments; // IMG, LST, SRC and DISC are replaced
    int status;
    QString message; // on standard error
    bool recorded;   // the pseudo-disc holds the image
};

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The real xorriso records into a stdio: pseudo-drive; the disc must start with
// the image and hold at most the zeros of its last 64 KiB write unit after it.
TEST_F(CliEndToEndTest, RecordingGivesItsStatusAndWritesOnlyAWholeCheckedImage)
{
    ASSERT_EQ(Run({"build", Source("base", "two-titlesets"), "base.iso"}).status, 0);
    const QByteArray image = Contents(File("base.iso"));
    // Two chunks and their list, as a split build leaves them, streamed as one track.
    Write(File("base.iso_00"), image.left(256 * 2048));
    Write(File("base.iso_01"), image.mid(256 * 2048));
    Write(File("base.lst"),
          "IMAGELIST\r\n" + QFile::encodeName(File("base.iso_00")) + "\r\nbase.iso_01\r\n");
    Write(File("short.iso"), image.chopped(2048));
    Write(File("short.lst"), "base.iso_00\n");

    const QList<RecordCase> cases = {
        {"image", {"record", "IMG", "--device", "DISC"}, 0, "recorded successfully", true},
        {"verified",
         {"record", "IMG", "--device", "DISC", "--verify", "--eject"},
         0,
         "The image was recorded and verified successfully.",
         true},
        {"split list", {"record", "LST", "--device", "DISC"}, 0, "recorded successfully", true},
        {"build and record",
         {"build", "SRC", "built.iso", "--record", "--device", "DISC"},
         0,
         "The image was recorded successfully.",
         true},
        {"bad device", {"record", "IMG", "--device", "D:"}, 3, "\"D:\" is not a drive.", false},
        {"full device",
         {"record", "IMG", "--device", "stdio:/dev/full"},
         6,
         "Recording failed (xorriso exit code",
         false},
        {"short image",
         {"record", File("short.iso"), "--device", "DISC"},
         5,
         "Image check: the image has",
         false},
        {"device without --record",
         {"build", "SRC", "built.iso", "--device", "DISC"},
         2,
         "--device and the recording options need --record.",
         false},
        {"not a list",
         {"record", File("short.lst"), "--device", "DISC"},
         3,
         "is not an image list.",
         false},
    };
    for (const RecordCase& test : cases) {
        SCOPED_TRACE(test.name);
        const QString disc = File(QStringLiteral("disc-%1.bin").arg(test.name).replace(' ', '-'));
        QStringList arguments = test.arguments;
        arguments.replaceInStrings("IMG", File("base.iso"));
        arguments.replaceInStrings("LST", File("base.lst"));
        arguments.replaceInStrings("DISC", "stdio:" + disc);
        if (arguments.contains("SRC"))
            arguments.replaceInStrings(
                "SRC",
                Source(QStringLiteral("src-%1").arg(test.name).replace(' ', '-'), "two-titlesets"));
        const CliOutput result = Run(arguments);
        EXPECT_EQ(result.status, test.status) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains(test.message)) << result.err.toStdString();
        const QByteArray expected =
            arguments.contains("--record") ? Contents(File("built.iso")) : image;
        const QByteArray written = Contents(disc);
        const QByteArray tail = written.mid(expected.size());
        EXPECT_EQ(!expected.isEmpty() && written.startsWith(expected) && tail.size() < 64 * 1024 &&
                      tail.count('\0') == tail.size(),
                  test.recorded)
            << written.size();
        EXPECT_FALSE(QFile::exists(File("D:")));
    }
}

// True while any process has the folder in its command line.
bool AnyProcessNames(const QString& folder)
{
    const QByteArray needle = QFile::encodeName(folder);
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile cmdline("/proc/" + pid + "/cmdline");
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(needle))
            return true;
    }
    return false;
}

// A 1 GB sparse file beside VIDEO_TS keeps the real builder busy for a while.
TEST_F(CliEndToEndTest, ASignalMidRebuildEndsTheBuilderAndKeepsTheEarlierImage)
{
    const QString source = Source("long");
    ASSERT_TRUE(QDir().mkpath(source + "/EXTRA"));
    QFile filler(source + "/EXTRA/filler.bin");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly) && filler.resize(1LL << 30));
    filler.close();
    // An earlier image under the name stays as it was.
    const QByteArray earlier = "an earlier image";
    for (const auto& [signal, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        SCOPED_TRACE(signal);
        Write(File("long.iso"), earlier);
        QProcess cli;
        Start(cli, {"build", source, "long.iso", "--progress=lines"});
        // The first progress line: mkisofs is writing.
        ASSERT_TRUE(cli.waitForReadyRead(60000));
        ::kill(static_cast<pid_t>(cli.processId()), signal);
        ASSERT_TRUE(cli.waitForFinished(10000));
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        EXPECT_EQ(cli.exitCode(), status) << err.toStdString();
        EXPECT_TRUE(
            err.contains("The earlier image \"" + File("long.iso") + "\" was kept as it was."))
            << err.toStdString();
        EXPECT_EQ(Contents(File("long.iso")), earlier);
        EXPECT_FALSE(QFile::exists(File("long.iso.lock")));
        EXPECT_EQ(QDir(m_folder.Path()).entryList({".long.iso.*"}, QDir::Dirs | QDir::Hidden),
                  QStringList());
        EXPECT_FALSE(AnyProcessNames(source));
    }
}

// A pipe nobody drains holds the real xorriso mid-write.
TEST_F(CliEndToEndTest, ASignalMidRecordingEndsTheRecorder)
{
    ASSERT_EQ(Run({"build", Source("held"), "held.iso"}).status, 0);
    const QString fifo = File("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    QProcess cli;
    Start(cli, {"record", File("held.iso"), "--device", "stdio:" + fifo});
    QElapsedTimer waited;
    waited.start();
    while (!AnyProcessNames("dev=stdio:" + fifo) && waited.elapsed() < 20000)
        QThread::msleep(50);
    ASSERT_TRUE(AnyProcessNames("dev=stdio:" + fifo));
    ::kill(static_cast<pid_t>(cli.processId()), SIGTERM);
    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_EQ(cli.exitCode(), 143) << cli.readAllStandardError().toStdString();
    EXPECT_FALSE(AnyProcessNames("dev=stdio:" + fifo));
    ::close(reader);
}

TEST_F(CliEndToEndTest, HelpAndVersionNeedNoDisplay)
{
    QProcess window;
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    bare.remove("DISPLAY");
    bare.remove("WAYLAND_DISPLAY");
    bare.remove("QT_QPA_PLATFORM");
    window.setProcessEnvironment(bare);
    for (const QString& program : {QString(ISOMINT_PROGRAM_DIR "/isomint"), Cli()}) {
        for (const QString option : {"--help", "--version"}) {
            SCOPED_TRACE((program + " " + option).toStdString());
            window.start(program, {option});
            ASSERT_TRUE(window.waitForFinished(10000));
            EXPECT_EQ(window.exitCode(), 0);
            const QString out = QString::fromUtf8(window.readAllStandardOutput());
            EXPECT_TRUE(out.startsWith(option == "--help" ? "Usage:" : "isomint"));
            if (option == "--help") {
                EXPECT_TRUE(out.contains("isomint-cli")) << out.toStdString();
            }
        }
    }
}

// The language follows LANGUAGE, LC_MESSAGES and LANG as gettext's does; the C
// locale and English keep the English texts exactly.
// A German user reads the command line's own words in German, while what
// scripts read (the JSON progress, the numbers) stays the same in every language.
TEST_F(CliEndToEndTest, AGermanUserReadsItsOwnWordsInGerman)
{
    ASSERT_TRUE(QDir().mkpath(File("translations")));
    ASSERT_TRUE(QFile::copy(ISOMINT_PROGRAM_DIR "/translations/isomint_de.qm",
                            File("translations/isomint_de.qm")));
    const QString source = Source("Film");
    ASSERT_TRUE(QDir(source + "/AUDIO_TS").removeRecursively());
    QProcessEnvironment german = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        german.remove(QString::fromLatin1(name));
    german.insert("LANG", "de_DE.UTF-8");
    const struct
    {
        QStringList arguments;
        int status;
        bool standardOutput;
        const char* line;
    } cases[] = {
        {{"check", source}, 0, true, "^„.*/Film/AUDIO_TS“ anlegen$"},
        {{"build", source, "film.iso", "--progress=lines"},
         0,
         true,
         R"(^100 %  \d+\.\d MB/s  noch \d+:\d\d$)"},
        {{"build", source, "film.iso", "--progress=json"}, 0, true, R"("percent":100,)"},
        {{"record", "film.iso"},
         2,
         false,
         R"(^isomint-cli: Zum Brennen wird --device DEV gebraucht\.$)"},
        {{"build", source, "x.iso", "--yes", "--no"}, 2, false, "schließen einander aus"},
    };
    for (const auto& test : cases) {
        const CliOutput output = Run(test.arguments, german);
        const QString text = test.standardOutput ? output.out : output.err;
        EXPECT_EQ(output.status, test.status) << output.err.toStdString();
        EXPECT_TRUE(
            QRegularExpression(QString::fromUtf8(test.line), QRegularExpression::MultilineOption)
                .match(text)
                .hasMatch())
            << test.line << "\n"
            << text.toStdString();
    }
}

TEST(CliLanguage, TheUsersLocaleChoosesTheTexts)
{
    const struct
    {
        QStringList environment;
        const char* firstLine;
    } cases[] = {
        {{"LANG=C"}, "Usage:"},
        {{"LANG=en_US.UTF-8"}, "Usage:"},
        {{"LANG=de_DE.UTF-8"}, "Aufruf:"},
        {{"LANG=en_US.UTF-8", "LANGUAGE=de"}, "Aufruf:"},
        {{"LANG=de_DE.UTF-8", "LANGUAGE=en:de"}, "Usage:"},
        {{"LANG=de_DE.UTF-8", "LC_MESSAGES=C"}, "Usage:"},
        {{"LANG=C", "LANGUAGE=de"}, "Usage:"},
        {{"LANG=fr_FR.UTF-8"}, "Usage:"}, // no catalogue: English
    };
    for (const auto& test : cases) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE", "LANG"})
            environment.remove(QString::fromLatin1(name));
        for (const QString& entry : test.environment)
            environment.insert(entry.section('=', 0, 0), entry.section('=', 1));
        QProcess cli;
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral(ISOMINT_PROGRAM_DIR "/isomint-cli"), {"--help"});
        ASSERT_TRUE(cli.waitForFinished(10000));
        EXPECT_EQ(cli.readAllStandardOutput().split('\n').value(0), test.firstLine)
            << test.environment.join(' ').toStdString();
    }
}

} // namespace
